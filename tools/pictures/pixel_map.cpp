// Loading pixel-map sources and colouring them into images.
#include "pixel_map.h"

#include <algorithm>

#include "source_text.h"

namespace {
constexpr int kMaxSide = 1024;  // larger than any picture we ship; catches typos in "size"

// Edges every shape with one pixel of ink on the background side, so outlines stay even and
// sources only draw fills and inner lines. Side neighbours only: corners stay round.
void add_outline(QImage& image, QRgb ink) {
    const QImage shape = image;
    const auto filled = [&shape](int x, int y) {
        return x >= 0 && y >= 0 && x < shape.width() && y < shape.height() &&
               shape.pixel(x, y) != kTransparentWhite;
    };
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            if (filled(x, y)) continue;
            if (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1))
                image.setPixel(x, y, ink);
        }
    }
}
}  // namespace

Outcome<PixelMap> load_pixel_map(const QString& path) {
    const auto source = read_source_text(path);
    if (!source) return Outcome<PixelMap>::fail(source.error);
    const SourceText& text = *source.value;
    PixelMap map;
    map.path = path;
    int i = 0;
    for (; i < text.lines.size(); ++i) {
        const QString line = text.lines[i].trimmed();
        if (is_blank_or_comment(line)) continue;
        const QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (tokens[0] == QLatin1String("pixels")) break;
        if (tokens[0] == QLatin1String("size") && tokens.size() == 3) {
            map.width = tokens[1].toInt();
            map.height = tokens[2].toInt();
            if (map.width <= 0 || map.height <= 0 || map.width > kMaxSide || map.height > kMaxSide) {
                return Outcome<PixelMap>::fail(text.where(i) + QStringLiteral(": bad size"));
            }
        } else if (tokens[0] == QLatin1String("color") && tokens.size() >= 5 && tokens[1].size() == 1) {
            const auto rgb = parse_rgb_tokens(tokens, 2);
            const QChar key = tokens[1][0];
            if (!rgb || key.unicode() > 0x7f || *rgb == kTransparentWhite) {
                return Outcome<PixelMap>::fail(
                    text.where(i) + QStringLiteral(": expected \"color K r g b\", not pure white"));
            }
            map.local[static_cast<char>(key.unicode())] = *rgb;
        } else if (tokens[0] == QLatin1String("outline") && tokens.size() == 2 && tokens[1].size() == 1 &&
                   tokens[1][0].unicode() <= 0x7f) {
            map.outline = static_cast<char>(tokens[1][0].unicode());
        } else {
            return Outcome<PixelMap>::fail(text.where(i) + QStringLiteral(": unknown line \"%1\"").arg(line));
        }
    }
    if (map.width == 0) return Outcome<PixelMap>::fail(path + QStringLiteral(": no \"size W H\" line"));
    if (i == text.lines.size()) return Outcome<PixelMap>::fail(path + QStringLiteral(": no \"pixels\" line"));
    map.first_row = i + 1;
    for (int r = 0; r < map.height; ++r) {
        const int index = map.first_row + r;
        const bool rest_blank =
            std::all_of(text.lines.begin() + std::min<qsizetype>(index, text.lines.size()), text.lines.end(),
                        [](const QString& l) { return l.trimmed().isEmpty(); });
        if (rest_blank) {
            return Outcome<PixelMap>::fail(path +
                                           QStringLiteral(": only %1 of %2 rows").arg(r).arg(map.height));
        }
        const QString& row = text.lines[index];
        if (row.size() != map.width) {
            return Outcome<PixelMap>::fail(
                text.where(index) +
                QStringLiteral(": row is %1 wide, expected %2").arg(row.size()).arg(map.width));
        }
        map.rows << row;
    }
    for (int index = map.first_row + map.height; index < text.lines.size(); ++index) {
        if (!text.lines[index].trimmed().isEmpty()) {
            return Outcome<PixelMap>::fail(text.where(index) +
                                           QStringLiteral(": more rows than the size says"));
        }
    }
    return Outcome<PixelMap>::ok(std::move(map));
}

Outcome<QImage> render_pixel_map(const PixelMap& map, const Palette& palette, const QString& team,
                                 bool mirror) {
    QImage image(map.width, map.height, QImage::Format_RGB32);
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const QChar c = map.rows[y][x];
            const char key = c.unicode() <= 0x7f ? static_cast<char>(c.unicode()) : '\0';
            std::optional<QRgb> colour;
            if (const auto local = map.local.find(key); local != map.local.end()) {
                colour = local->second;
            } else {
                colour = palette.lookup(key, team);
            }
            if (!colour) {
                const QString why = palette.is_team_key(key)
                                        ? QStringLiteral("a team colour, but no team given")
                                        : QStringLiteral("not in the palette");
                return Outcome<QImage>::fail(QStringLiteral("%1:%2: column %3: key '%4' is %5")
                                                 .arg(map.path)
                                                 .arg(map.first_row + y + 1)
                                                 .arg(x + 1)
                                                 .arg(c)
                                                 .arg(why));
            }
            image.setPixel(mirror ? map.width - 1 - x : x, y, *colour);
        }
    }
    if (map.outline) {
        const auto ink =
            map.local.count(*map.outline) ? map.local.at(*map.outline) : palette.lookup(*map.outline, team);
        if (!ink)
            return Outcome<QImage>::fail(map.path +
                                         QStringLiteral(": the outline key is not in the palette"));
        add_outline(image, *ink);
    }
    return Outcome<QImage>::ok(std::move(image));
}
