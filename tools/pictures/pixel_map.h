// Pixel maps: one character per pixel, coloured through the shared palette and local colours.
#pragma once

#include <QImage>
#include <QStringList>

#include "outcome.h"
#include "palette.h"

struct PixelMap {
    QString path;                 // for messages
    int width = 0;                // pixels, from the "size" line
    int height = 0;               // pixels, from the "size" line
    ColourTable local;            // "color" lines: keys only this picture uses (they win over the palette)
    std::optional<char> outline;  // "outline K": background pixels touching the shape get K's colour
    QStringList rows;             // height rows of width characters each
    int first_row = 0;            // 0-based source line index of rows[0], for messages
};

// Reads "size W H", optional "color K r g b" and "outline K" lines, then "pixels" and the rows.
Outcome<PixelMap> load_pixel_map(const QString& path);

// Colours the map for team ("red", "blue" or empty), mirrored left-right when asked.
// Format_RGB32; fails on any key the palette cannot resolve.
Outcome<QImage> render_pixel_map(const PixelMap& map, const Palette& palette, const QString& team,
                                 bool mirror);
