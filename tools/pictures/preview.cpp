// Contact sheet and field preview, for looking at the set the way a player will.
#include "preview.h"

#include <QFont>
#include <QPainter>
#include <map>

namespace {
constexpr QRgb kWindowColour = 0xffccff99u;  // the game window's background, RGB(204,255,153)
constexpr QRgb kSheetColour = 0xff505060u;
constexpr QRgb kLabelColour = 0xffffffffu;
constexpr int kSheetWidth = 1900;
constexpr int kGap = 12;
constexpr int kLabelHeight = 18;
constexpr int kLabelPixelSize = 13;
constexpr int kSquareWidth = 32;
constexpr int kSpriteTop = 8;
constexpr int kMarkDx = 8;  // hit and fall marks sit 8 px into the square, 12 px down
constexpr int kMarkTop = 12;
constexpr int kLastSquare = 13;
constexpr int kRedFirstSquare = 1;  // each side's familiars line up from here
constexpr int kBlueFirstSquare = 8;
constexpr int kCursorSquare = 3;
constexpr int kHitSquare = 8;
constexpr int kFallSquare = 6;
constexpr int kShotSquare = 7;
constexpr int kMeteorSquare = 6;

QImage enlarge(const QImage& image, int scale) {
    return image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
}  // namespace

void paint_masked(QImage& dest, const QImage& picture, const QImage& mask, int x, int y) {
    QPainter painter(&dest);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    painter.drawImage(x, y, mask.convertToFormat(QImage::Format_RGB32));
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(x, y, picture.convertToFormat(QImage::Format_RGB32));
}

QImage render_contact_sheet(const std::vector<GeneratedPicture>& pictures, int scale) {
    std::map<QString, const QImage*> masks;
    for (const auto& p : pictures) {
        if (p.is_mask) masks[p.name] = &p.image;
    }
    // First pass lays the cells out in rows; second paints them.
    struct Cell {
        const GeneratedPicture* picture;
        int x, y;
    };
    std::vector<Cell> cells;
    int x = kGap, y = kGap, row_height = 0;
    for (const auto& p : pictures) {
        if (p.is_mask) continue;
        const int w = std::max(p.image.width() * scale, kLabelPixelSize * 6);
        const int h = p.image.height() * scale + kLabelHeight;
        if (x + w > kSheetWidth && x > kGap) {
            x = kGap;
            y += row_height + kGap;
            row_height = 0;
        }
        cells.push_back({&p, x, y});
        x += w + kGap;
        row_height = std::max(row_height, h);
    }
    QImage sheet(kSheetWidth, y + row_height + kGap, QImage::Format_RGB32);
    sheet.fill(kSheetColour);
    for (const Cell& cell : cells) {
        const QImage& image = cell.picture->image;
        QImage shown = image;
        const auto mask = masks.find(cell.picture->name + QLatin1String(kMaskSuffix));
        if (mask != masks.end()) {
            shown = QImage(image.size(), QImage::Format_RGB32);
            shown.fill(kWindowColour);
            paint_masked(shown, image, *mask->second, 0, 0);
        }
        QPainter painter(&sheet);
        painter.drawImage(cell.x, cell.y + kLabelHeight, enlarge(shown, scale));
        QFont font;
        font.setPixelSize(kLabelPixelSize);
        painter.setFont(font);
        painter.setPen(QColor(kLabelColour));
        painter.drawText(
            cell.x, cell.y + kLabelPixelSize,
            QStringLiteral("%1 %2x%3").arg(cell.picture->name).arg(image.width()).arg(image.height()));
    }
    return sheet;
}

QImage render_field_preview(const std::vector<GeneratedPicture>& pictures, int scale) {
    std::map<QString, const QImage*> byname;
    for (const auto& p : pictures) byname[p.name] = &p.image;
    if (byname.count(QStringLiteral("fld")) == 0) return {};
    QImage field = byname[QStringLiteral("fld")]->convertToFormat(QImage::Format_RGB32);
    const auto put = [&](const QString& name, int x, int y) {
        const QString mask = name + QLatin1String(kMaskSuffix);
        if (byname.count(name) && byname.count(mask)) paint_masked(field, *byname[name], *byname[mask], x, y);
    };
    // Five kinds per side on the first strip, the other five on the second, so every familiar
    // appears once per side.
    const QStringList first = {QStringLiteral("skl"), QStringLiteral("fairy"), QStringLiteral("gob"),
                               QStringLiteral("sara"), QStringLiteral("pgss")};
    const QStringList other = {QStringLiteral("glm"), QStringLiteral("cent"), QStringLiteral("trol"),
                               QStringLiteral("wyvn"), QStringLiteral("drgn")};
    const auto line_up = [&](const QStringList& red, const QStringList& blue) {
        put(QStringLiteral("master"), 0, kSpriteTop);
        put(QStringLiteral("master2"), kLastSquare * kSquareWidth, kSpriteTop);
        for (int i = 0; i < red.size(); ++i) {
            put(QStringLiteral("r-") + red[i], (kRedFirstSquare + i) * kSquareWidth, kSpriteTop);
            put(QStringLiteral("b-") + blue[i], (kBlueFirstSquare + i) * kSquareWidth, kSpriteTop);
        }
    };
    line_up(first, other);
    put(QStringLiteral("cursol"), kCursorSquare * kSquareWidth, kSpriteTop);
    put(QStringLiteral("attack"), kHitSquare * kSquareWidth + kMarkDx, kMarkTop);
    put(QStringLiteral("death"), kFallSquare * kSquareWidth + kMarkDx, kMarkTop);
    put(QStringLiteral("bullet"), kShotSquare * kSquareWidth, kSpriteTop);
    QImage second = byname[QStringLiteral("fld")]->convertToFormat(QImage::Format_RGB32);
    std::swap(field, second);
    line_up(other, first);
    put(QStringLiteral("meteor"), kMeteorSquare * kSquareWidth, kSpriteTop);
    std::swap(field, second);
    QImage both(field.width(), field.height() * 2 + kGap / 2, QImage::Format_RGB32);
    both.fill(kWindowColour);
    QPainter painter(&both);
    painter.drawImage(0, 0, field);
    painter.drawImage(0, field.height() + kGap / 2, second);
    painter.end();
    return enlarge(both, scale);
}
