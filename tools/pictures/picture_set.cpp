// Building the picture set from its list, deriving masks, and writing the BMP files.
#include "picture_set.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <set>

#include "palette.h"
#include "pixel_map.h"
#include "scene.h"
#include "source_text.h"

namespace {
constexpr char kRedTeam[] = "red";
constexpr char kBlueTeam[] = "blue";
constexpr char kRedPrefix[] = "r-";
constexpr char kBluePrefix[] = "b-";
constexpr char kTeamOption[] = "team=";
constexpr QRgb kMaskInk = 0xff000000u;
constexpr int kDotsPerMeter = 3780;  // 96 dpi

using PictureList = std::vector<GeneratedPicture>;

Outcome<QImage> render_pix(const QString& path, const Palette& palette, const QString& team, bool mirror) {
    const auto map = load_pixel_map(path);
    if (!map) return Outcome<QImage>::fail(map.error);
    return render_pixel_map(*map.value, palette, team, mirror);
}

void add_with_mask(PictureList& list, const QString& name, const QImage& image) {
    list.push_back({name, image, false});
    list.push_back({name + QLatin1String(kMaskSuffix), derive_mask(image), true});
}

// One line of the list: "familiar STEM SOURCE", "sprite NAME SOURCE [team=T] [mirror]" or
// "picture NAME SOURCE [ARG...]". Returns the error or empty.
std::optional<QString> build_entry(const QStringList& t, const QString& assets_dir, const Palette& palette,
                                   PictureList& list) {
    if (t.size() < 3) return QStringLiteral("expected \"KIND NAME SOURCE ...\"");
    const QString source = QDir(assets_dir).filePath(t[2]);
    if (t[0] == QLatin1String("familiar") && t.size() == 3) {
        // One drawing facing right for side 1; side 2 faces left in its own colours.
        const auto red = render_pix(source, palette, QLatin1String(kRedTeam), false);
        const auto blue = render_pix(source, palette, QLatin1String(kBlueTeam), true);
        if (!red || !blue) return red ? blue.error : red.error;
        add_with_mask(list, QLatin1String(kRedPrefix) + t[1], *red.value);
        add_with_mask(list, QLatin1String(kBluePrefix) + t[1], *blue.value);
    } else if (t[0] == QLatin1String("sprite")) {
        QString team;
        bool mirror = false;
        for (int i = 3; i < t.size(); ++i) {
            if (t[i] == QLatin1String("mirror")) {
                mirror = true;
            } else if (t[i].startsWith(QLatin1String(kTeamOption))) {
                team = t[i].mid(static_cast<int>(std::size(kTeamOption)) - 1);
            } else {
                return QStringLiteral("unknown option \"%1\"").arg(t[i]);
            }
        }
        const auto image = render_pix(source, palette, team, mirror);
        if (!image) return image.error;
        add_with_mask(list, t[1], *image.value);
    } else if (t[0] == QLatin1String("picture")) {
        const auto image = t[2].endsWith(QLatin1String(".scene"))
                               ? render_scene(source, assets_dir, palette, t.mid(3))
                               : render_pix(source, palette, QString(), false);
        if (!image) return image.error;
        list.push_back({t[1], *image.value, false});
    } else {
        return QStringLiteral("unknown kind \"%1\"").arg(t[0]);
    }
    return std::nullopt;
}
}  // namespace

Outcome<PictureList> build_picture_set(const QString& assets_dir) {
    const QDir dir(assets_dir);
    const auto palette = load_palette(dir.filePath(QLatin1String(kPaletteFile)));
    if (!palette) return Outcome<PictureList>::fail(palette.error);
    const auto source = read_source_text(dir.filePath(QLatin1String(kPictureListFile)));
    if (!source) return Outcome<PictureList>::fail(source.error);
    PictureList list;
    std::set<QString> names;
    for (int i = 0; i < source.value->lines.size(); ++i) {
        const QString& line = source.value->lines[i];
        if (is_blank_or_comment(line)) continue;
        const auto tokens = split_tokens(line);
        const auto error = tokens ? build_entry(*tokens.value, assets_dir, *palette.value, list)
                                  : std::optional(tokens.error);
        if (error) return Outcome<PictureList>::fail(source.value->where(i) + QStringLiteral(": ") + *error);
    }
    for (const GeneratedPicture& picture : list) {
        if (!names.insert(picture.name).second) {
            return Outcome<PictureList>::fail(
                QStringLiteral("%1: \"%2\" is listed twice").arg(source.value->path, picture.name));
        }
    }
    return Outcome<PictureList>::ok(std::move(list));
}

QImage derive_mask(const QImage& picture) {
    QImage mask(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            mask.setPixel(x, y, picture.pixel(x, y) == kTransparentWhite ? kTransparentWhite : kMaskInk);
        }
    }
    return mask;
}

QByteArray encode_bmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // RGB888 makes Qt write 24 bits per pixel. The resolution field would otherwise follow the
    // screen of whatever application runs us, so it is pinned.
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    rgb.setDotsPerMeterX(kDotsPerMeter);
    rgb.setDotsPerMeterY(kDotsPerMeter);
    rgb.save(&buffer, "BMP");
    return bytes;
}

std::optional<QString> write_picture_set(const PictureList& pictures, const QString& out_dir) {
    if (!QDir().mkpath(out_dir)) return QStringLiteral("%1: cannot create the directory").arg(out_dir);
    for (const GeneratedPicture& picture : pictures) {
        const QString path = QDir(out_dir).filePath(picture.name + QStringLiteral(".bmp"));
        const QByteArray bytes = encode_bmp(picture.image);
        QSaveFile file(path);
        if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            return QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString());
        }
    }
    return std::nullopt;
}
