// Pixel lettering: glyphs drawn as '#'/'.' grids in a font source, set at any whole scale.
#pragma once

#include <QImage>
#include <QStringList>
#include <map>
#include <optional>

#include "outcome.h"

struct PixelFont {
    int height = 0;                          // rows per glyph
    int spacing = 1;                         // blank font pixels between glyphs
    std::map<char32_t, QStringList> glyphs;  // '#' is ink; every row of a glyph has its width

    // Width in font pixels of text set in this font; the text must use known glyphs only.
    int text_width(const QString& text) const;
    // The first character with no glyph, or 0 when every one has one.
    char32_t missing_glyph(const QString& text) const;
};

// Reads "height H", optional "spacing S", then "glyph C" blocks of H rows.
Outcome<PixelFont> load_pixel_font(const QString& path);

struct TextStyle {
    int scale = 1;                // target pixels per font pixel
    QRgb ink = 0;                 // letter colour
    std::optional<QRgb> outline;  // one font pixel of edge around the letters
    std::optional<QRgb> shadow;   // one font pixel down-right, under the outline
};

// Sets text with its top-left corner at (x, y); clipped to the image.
void draw_pixel_text(QImage& image, const PixelFont& font, int x, int y, const QString& text,
                     const TextStyle& style);
