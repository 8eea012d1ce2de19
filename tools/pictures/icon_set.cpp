// Building the desktop icons from their pixel maps and writing them as PNG files.
#include "icon_set.h"

#include <QDir>
#include <QSaveFile>

#include "palette.h"
#include "picture_set.h"
#include "pixel_map.h"

namespace {
constexpr char kIconTeam[] = "red";  // the heroine's side
constexpr QRgb kClear = 0x00000000u;

// The drawing that fills most of a size x size square at a whole-number scale; the larger on a tie.
const QImage* best_drawing_for(const std::vector<QImage>& drawings, int size) {
    const QImage* best = nullptr;
    int best_cover = 0;
    for (const QImage& drawing : drawings) {
        const int cover = size / drawing.width() * drawing.width();
        if (cover > best_cover || (cover == best_cover && best && drawing.width() > best->width())) {
            best = &drawing;
            best_cover = cover;
        }
    }
    return best_cover > 0 ? best : nullptr;
}

QImage enlarge_centred(const QImage& drawing, int size) {
    const int scale = size / drawing.width();
    const int margin = (size - drawing.width() * scale) / 2;
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(kClear);
    for (int y = 0; y < drawing.height() * scale; ++y) {
        for (int x = 0; x < drawing.width() * scale; ++x)
            icon.setPixel(margin + x, margin + y, drawing.pixel(x / scale, y / scale));
    }
    return icon;
}
}  // namespace

Outcome<std::vector<IconImage>> build_icon_set(const QString& assets_dir) {
    using Result = Outcome<std::vector<IconImage>>;
    const QDir assets(assets_dir);
    const auto palette = load_palette(assets.filePath(QLatin1String(kPaletteFile)));
    if (!palette) return Result::fail(palette.error);
    const QDir sources(assets.filePath(QLatin1String(kIconSourceDir)));
    std::vector<QImage> drawings;
    for (const QString& file : sources.entryList({QStringLiteral("*.pix")}, QDir::Files, QDir::Name)) {
        const QString path = sources.filePath(file);
        const auto map = load_pixel_map(path);
        if (!map) return Result::fail(map.error);
        if (map.value->width != map.value->height)
            return Result::fail(path + QStringLiteral(": an icon drawing must be square"));
        const auto image = render_pixel_map(*map.value, *palette.value, QLatin1String(kIconTeam), false);
        if (!image) return Result::fail(image.error);
        QImage drawing = image.value->convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < drawing.height(); ++y) {
            for (int x = 0; x < drawing.width(); ++x) {
                if (drawing.pixel(x, y) == kTransparentWhite) drawing.setPixel(x, y, kClear);
            }
        }
        drawings.push_back(std::move(drawing));
    }
    std::vector<IconImage> icons;
    for (int size : kIconSizes) {
        const QImage* drawing = best_drawing_for(drawings, size);
        if (!drawing) {
            return Result::fail(sources.path() + QStringLiteral(": no drawing fits a %1 px icon").arg(size));
        }
        icons.push_back({size, enlarge_centred(*drawing, size)});
    }
    return Result::ok(std::move(icons));
}

std::optional<QString> write_icon_set(const std::vector<IconImage>& icons, const QString& out_dir,
                                      const QString& name) {
    for (const IconImage& icon : icons) {
        const QString dir = QDir(out_dir).filePath(QStringLiteral("%1x%1/apps").arg(icon.size));
        const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
        QSaveFile file(path);
        if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) || !icon.image.save(&file, "PNG") ||
            !file.commit()) {
            return QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString());
        }
    }
    return std::nullopt;
}
