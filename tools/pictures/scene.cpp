// The scene interpreter: one drawing command per line, later commands paint over earlier ones.
#include "scene.h"

#include <QDir>
#include <QPainter>
#include <functional>
#include <map>

#include "pixel_font.h"
#include "pixel_map.h"
#include "source_text.h"

namespace {
constexpr int kMaxSceneSide = 1024;
constexpr int kMaxArgs = 9;
// Confetti comes from a fixed linear congruential sequence so the bytes never change between runs.
constexpr uint32_t kLcgMultiplier = 1664525u;
constexpr uint32_t kLcgIncrement = 1013904223u;
constexpr int kLcgShift = 8;
constexpr int kConfettiLong = 3;  // a piece is 3 x 2 or 2 x 3 pixels
constexpr int kConfettiShort = 2;

struct SceneState {
    const QString& assets_dir;
    const Palette& palette;
    QImage image;
    std::optional<PixelFont> font;
};

using Fail = std::optional<QString>;  // the error, or empty when the command worked

std::optional<QRgb> parse_colour(const QString& text, const Palette& palette) {
    if (text.startsWith(QLatin1Char('@')) && text.size() == 2 && text[1].unicode() <= 0x7f) {
        const auto c = palette.lookup(static_cast<char>(text[1].unicode()), QString());
        if (c && *c != kTransparentWhite) return c;
        return std::nullopt;
    }
    const auto hex = parse_hex_colour(text);
    if (!hex) return std::nullopt;
    return qRgb((*hex >> 16) & 0xff, (*hex >> 8) & 0xff, *hex & 0xff);
}

// The colour token at index, if the line has one there and it parses.
std::optional<QRgb> colour_at(const QStringList& tokens, int index, const Palette& palette) {
    if (index >= tokens.size()) return std::nullopt;
    return parse_colour(tokens[index], palette);
}

bool parse_ints(const QStringList& tokens, int first, int count, int* out) {
    if (tokens.size() < first + count) return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        out[i] = tokens[first + i].toInt(&ok);
        if (!ok) return false;
    }
    return true;
}

void fill_rect(QImage& image, int x, int y, int w, int h, QRgb colour) {
    for (int py = std::max(0, y); py < std::min(image.height(), y + h); ++py) {
        for (int px = std::max(0, x); px < std::min(image.width(), x + w); ++px)
            image.setPixel(px, py, colour);
    }
}

// Options after the positional tokens: "name=value" or bare flags.
std::map<QString, QString> parse_options(const QStringList& tokens, int first) {
    std::map<QString, QString> options;
    for (int i = first; i < tokens.size(); ++i) {
        const int eq = tokens[i].indexOf(QLatin1Char('='));
        options[eq < 0 ? tokens[i] : tokens[i].left(eq)] = eq < 0 ? QString() : tokens[i].mid(eq + 1);
    }
    return options;
}

Fail draw_sprite(SceneState& s, const QStringList& t, int dx, int dy) {
    int xy[2];
    if (!parse_ints(t, 2, 2, xy))
        return QStringLiteral("expected \"sprite PATH X Y [scale=N] [mirror] [team=T]\"");
    auto options = parse_options(t, 4);
    const int scale = options.count(QStringLiteral("scale")) ? options[QStringLiteral("scale")].toInt() : 1;
    if (scale < 1) return QStringLiteral("scale must be a whole number from 1");
    const auto map = load_pixel_map(QDir(s.assets_dir).filePath(t[1]));
    if (!map) return map.error;
    const QString team =
        options.count(QStringLiteral("team")) ? options[QStringLiteral("team")] : QStringLiteral("red");
    const auto sprite =
        render_pixel_map(*map.value, s.palette, team, options.count(QStringLiteral("mirror")) != 0);
    if (!sprite) return sprite.error;
    // White is the sprite's background, so it is left out just as the mask would leave it out.
    for (int y = 0; y < sprite.value->height(); ++y) {
        for (int x = 0; x < sprite.value->width(); ++x) {
            const QRgb c = sprite.value->pixel(x, y);
            if (c != kTransparentWhite)
                fill_rect(s.image, xy[0] + dx + x * scale, xy[1] + dy + y * scale, scale, scale, c);
        }
    }
    return std::nullopt;
}

Fail draw_text(SceneState& s, const QStringList& t, int dx, int dy) {
    int xys[3];
    if (!parse_ints(t, 1, 3, xys) || t.size() < 6) {
        return QStringLiteral(
            "expected \"text X Y SCALE COLOUR \\\"TEXT\\\" [center] [outline=C] [shadow=C]\"");
    }
    if (!s.font) return QStringLiteral("no \"font PATH\" line before the text");
    TextStyle style;
    style.scale = xys[2];
    const auto ink = parse_colour(t[4], s.palette);
    if (!ink || style.scale < 1) return QStringLiteral("bad colour or scale");
    style.ink = *ink;
    auto options = parse_options(t, 6);
    for (const char* name : {"outline", "shadow"}) {
        if (options.count(QLatin1String(name)) == 0) continue;
        const auto c = parse_colour(options[QLatin1String(name)], s.palette);
        if (!c) return QStringLiteral("bad %1 colour").arg(QLatin1String(name));
        (QLatin1String(name) == QLatin1String("outline") ? style.outline : style.shadow) = c;
    }
    if (const char32_t missing = s.font->missing_glyph(t[5])) {
        return QStringLiteral("the font has no glyph for '%1'").arg(QString::fromUcs4(&missing, 1));
    }
    int x = xys[0] + dx;
    if (options.count(QStringLiteral("center"))) x -= s.font->text_width(t[5]) * style.scale / 2;
    draw_pixel_text(s.image, *s.font, x, xys[1] + dy, t[5], style);
    return std::nullopt;
}

Fail run_command(SceneState& s, const QStringList& t, int dx, int dy) {
    const QString& name = t[0];
    int v[7];
    if (name == QLatin1String("fill") || name == QLatin1String("frame")) {
        const auto c = t.size() == 6 ? colour_at(t, 5, s.palette) : std::optional<QRgb>();
        if (!parse_ints(t, 1, 4, v) || !c) return QStringLiteral("expected \"%1 X Y W H COLOUR\"").arg(name);
        const int x = v[0] + dx, y = v[1] + dy;
        const QRgb colour = c.value_or(0);
        if (name == QLatin1String("fill")) {
            fill_rect(s.image, x, y, v[2], v[3], colour);
        } else {
            fill_rect(s.image, x, y, v[2], 1, colour);
            fill_rect(s.image, x, y + v[3] - 1, v[2], 1, colour);
            fill_rect(s.image, x, y, 1, v[3], colour);
            fill_rect(s.image, x + v[2] - 1, y, 1, v[3], colour);
        }
    } else if (name == QLatin1String("gradient")) {
        const auto top = colour_at(t, 5, s.palette);
        const auto bottom = colour_at(t, 6, s.palette);
        if (t.size() != 8 || !parse_ints(t, 1, 4, v) || !top || !bottom || t[7].toInt() < 1) {
            return QStringLiteral("expected \"gradient X Y W H TOP BOTTOM BANDS\"");
        }
        // Flat bands rather than a smooth ramp: it keeps the pixel-art look.
        const int bands = t[7].toInt();
        for (int b = 0; b < bands; ++b) {
            const auto mix = [&](int shift) {
                const int a = (*top >> shift) & 0xff, z = (*bottom >> shift) & 0xff;
                return bands == 1 ? a : a + (z - a) * b / (bands - 1);
            };
            const int y0 = v[1] + dy + v[3] * b / bands, y1 = v[1] + dy + v[3] * (b + 1) / bands;
            fill_rect(s.image, v[0] + dx, y0, v[2], y1 - y0, qRgb(mix(16), mix(8), mix(0)));
        }
    } else if (name == QLatin1String("ellipse")) {
        const auto c = t.size() == 6 ? colour_at(t, 5, s.palette) : std::optional<QRgb>();
        if (!parse_ints(t, 1, 4, v) || !c || v[2] < 1 || v[3] < 1) {
            return QStringLiteral("expected \"ellipse CX CY RX RY COLOUR\"");
        }
        const int cx = v[0] + dx, cy = v[1] + dy;
        for (int y = -v[3]; y <= v[3]; ++y) {
            for (int x = -v[2]; x <= v[2]; ++x) {
                // Integer test of x²/rx² + y²/ry² <= 1, nudged by half a pixel for rounder edges.
                const long long lhs = 4LL * x * x * v[3] * v[3] + 4LL * y * y * v[2] * v[2];
                if (lhs <= 4LL * v[2] * v[2] * v[3] * v[3] + 2LL * v[2] * v[3]) {
                    fill_rect(s.image, cx + x, cy + y, 1, 1, c.value_or(0));
                }
            }
        }
    } else if (name == QLatin1String("sprite")) {
        return draw_sprite(s, t, dx, dy);
    } else if (name == QLatin1String("font") && t.size() == 2) {
        auto font = load_pixel_font(QDir(s.assets_dir).filePath(t[1]));
        if (!font) return font.error;
        s.font = std::move(*font.value);
    } else if (name == QLatin1String("text")) {
        return draw_text(s, t, dx, dy);
    } else if (name == QLatin1String("confetti")) {
        if (!parse_ints(t, 1, 6, v) || t.size() < 8) {
            return QStringLiteral("expected \"confetti X Y W H COUNT SEED COLOUR...\"");
        }
        std::vector<QRgb> colours;
        for (int i = 7; i < t.size(); ++i) {
            const auto c = parse_colour(t[i], s.palette);
            if (!c) return QStringLiteral("bad colour \"%1\"").arg(t[i]);
            colours.push_back(*c);
        }
        uint32_t state = static_cast<uint32_t>(v[5]);
        const auto next = [&state](int range) {
            state = state * kLcgMultiplier + kLcgIncrement;
            return static_cast<int>((state >> kLcgShift) % static_cast<uint32_t>(range));
        };
        for (int i = 0; i < v[4]; ++i) {
            const int x = v[0] + dx + next(v[2]), y = v[1] + dy + next(v[3]);
            const bool wide = next(2) == 0;
            fill_rect(s.image, x, y, wide ? kConfettiLong : kConfettiShort,
                      wide ? kConfettiShort : kConfettiLong, colours[next(static_cast<int>(colours.size()))]);
        }
    } else if (name == QLatin1String("repeat")) {
        if (!parse_ints(t, 1, 3, v) || t.size() < 5 || v[0] < 1) {
            return QStringLiteral("expected \"repeat N DX DY COMMAND...\"");
        }
        for (int i = 0; i < v[0]; ++i) {
            if (auto error = run_command(s, t.mid(4), dx + i * v[1], dy + i * v[2])) return error;
        }
    } else {
        return QStringLiteral("unknown command \"%1\"").arg(name);
    }
    return std::nullopt;
}
}  // namespace

Outcome<QImage> render_scene(const QString& path, const QString& assets_dir, const Palette& palette,
                             const QStringList& args) {
    const auto source = read_source_text(path);
    if (!source) return Outcome<QImage>::fail(source.error);
    if (args.size() > kMaxArgs) return Outcome<QImage>::fail(path + QStringLiteral(": too many arguments"));
    SceneState state{assets_dir, palette, QImage(), std::nullopt};
    for (int i = 0; i < source.value->lines.size(); ++i) {
        QString line = source.value->lines[i];
        if (is_blank_or_comment(line)) continue;
        for (int a = 0; a < args.size(); ++a) line.replace(QStringLiteral("$%1").arg(a + 1), args[a]);
        const auto tokens = split_tokens(line);
        const QString where = source.value->where(i);
        if (!tokens) return Outcome<QImage>::fail(where + QStringLiteral(": ") + tokens.error);
        const QStringList& t = *tokens.value;
        if (state.image.isNull()) {
            int wh[2];
            if (t[0] != QLatin1String("size") || !parse_ints(t, 1, 2, wh) || wh[0] < 1 || wh[1] < 1 ||
                wh[0] > kMaxSceneSide || wh[1] > kMaxSceneSide) {
                return Outcome<QImage>::fail(where + QStringLiteral(": a scene starts with \"size W H\""));
            }
            state.image = QImage(wh[0], wh[1], QImage::Format_RGB32);
            state.image.fill(palette.common.at(kBackgroundKey));
            continue;
        }
        if (auto error = run_command(state, t, 0, 0))
            return Outcome<QImage>::fail(where + QStringLiteral(": ") + *error);
    }
    if (state.image.isNull()) return Outcome<QImage>::fail(path + QStringLiteral(": empty scene"));
    return Outcome<QImage>::ok(std::move(state.image));
}
