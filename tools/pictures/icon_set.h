// Desktop icons: the square drawings in assets/pictures/icon enlarged to the hicolor theme sizes.
#pragma once

#include <QImage>
#include <array>
#include <vector>

#include "outcome.h"

inline constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr char kIconSourceDir[] = "icon";

struct IconImage {
    int size;      // pixels on a side
    QImage image;  // Format_ARGB32, transparent where the drawing has background
};

// Every size in kIconSizes from the square .pix drawings in assets_dir/icon (red team colours).
// Each size takes the drawing that covers most of it at a whole-number scale, the larger drawing on
// a tie, enlarged nearest-neighbour and centred, so pixels stay crisp.
Outcome<std::vector<IconImage>> build_icon_set(const QString& assets_dir);

// Writes out_dir/NxN/apps/NAME.png for each icon. Returns the error, or empty on success.
std::optional<QString> write_icon_set(const std::vector<IconImage>& icons, const QString& out_dir,
                                      const QString& name);
