// Loading pixel fonts and setting text with them.
#include "pixel_font.h"

#include "source_text.h"

namespace {
constexpr QChar kInk = QLatin1Char('#');
constexpr int kShadowDepth = 2;  // font pixels the drop shadow reaches down and right

// Paints one cell (font pixel at (fx, fy)) of size scale.
void fill_cell(QImage& image, int left, int top, int scale, QRgb colour) {
    for (int y = top; y < top + scale; ++y) {
        if (y < 0 || y >= image.height()) continue;
        for (int x = left; x < left + scale; ++x) {
            if (x >= 0 && x < image.width()) image.setPixel(x, y, colour);
        }
    }
}

// Calls paint(cell_x, cell_y) for each ink cell of text, in font pixels from the text origin.
template <class Paint>
void for_each_ink(const PixelFont& font, const QString& text, Paint paint) {
    int pen = 0;
    for (const char32_t c : text.toUcs4()) {
        const QStringList& rows = font.glyphs.at(c);
        for (int gy = 0; gy < rows.size(); ++gy) {
            for (int gx = 0; gx < rows[gy].size(); ++gx) {
                if (rows[gy][gx] == kInk) paint(pen + gx, gy);
            }
        }
        pen += rows.isEmpty() ? 0 : rows[0].size() + font.spacing;
    }
}
}  // namespace

int PixelFont::text_width(const QString& text) const {
    int width = 0;
    for (const char32_t c : text.toUcs4()) width += glyphs.at(c)[0].size() + spacing;
    return width > 0 ? width - spacing : 0;
}

char32_t PixelFont::missing_glyph(const QString& text) const {
    for (const char32_t c : text.toUcs4()) {
        if (glyphs.count(c) == 0) return c;
    }
    return 0;
}

Outcome<PixelFont> load_pixel_font(const QString& path) {
    const auto source = read_source_text(path);
    if (!source) return Outcome<PixelFont>::fail(source.error);
    const SourceText& text = *source.value;
    PixelFont font;
    for (int i = 0; i < text.lines.size(); ++i) {
        const QString line = text.lines[i].trimmed();
        if (is_blank_or_comment(line)) continue;
        const QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (tokens[0] == QLatin1String("height") && tokens.size() == 2) {
            font.height = tokens[1].toInt();
        } else if (tokens[0] == QLatin1String("spacing") && tokens.size() == 2) {
            font.spacing = tokens[1].toInt();
        } else if (tokens[0] == QLatin1String("glyph") && tokens.size() == 2 &&
                   tokens[1].toUcs4().size() == 1) {
            if (font.height <= 0)
                return Outcome<PixelFont>::fail(text.where(i) + QStringLiteral(": height first"));
            QStringList rows;
            for (int r = 1; r <= font.height; ++r) {
                const QString row = i + r < text.lines.size() ? text.lines[i + r].trimmed() : QString();
                if (row.isEmpty() || (!rows.isEmpty() && row.size() != rows[0].size())) {
                    return Outcome<PixelFont>::fail(text.where(i + r) +
                                                    QStringLiteral(": glyph rows must all have one width"));
                }
                rows << row;
            }
            font.glyphs[tokens[1].toUcs4()[0]] = rows;
            i += font.height;
        } else {
            return Outcome<PixelFont>::fail(text.where(i) +
                                            QStringLiteral(": unknown line \"%1\"").arg(line));
        }
    }
    if (font.glyphs.empty()) return Outcome<PixelFont>::fail(path + QStringLiteral(": no glyphs"));
    return Outcome<PixelFont>::ok(std::move(font));
}

void draw_pixel_text(QImage& image, const PixelFont& font, int x, int y, const QString& text,
                     const TextStyle& style) {
    const int s = style.scale;
    if (style.shadow) {
        for_each_ink(font, text, [&](int cx, int cy) {
            for (int dy = 0; dy <= kShadowDepth; ++dy) {
                for (int dx = 0; dx <= kShadowDepth; ++dx)
                    fill_cell(image, x + (cx + dx) * s, y + (cy + dy) * s, s, *style.shadow);
            }
        });
    }
    if (style.outline) {
        for_each_ink(font, text, [&](int cx, int cy) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    fill_cell(image, x + (cx + dx) * s, y + (cy + dy) * s, s, *style.outline);
            }
        });
    }
    for_each_ink(font, text, [&](int cx, int cy) { fill_cell(image, x + cx * s, y + cy * s, s, style.ink); });
}
