// Review sheets for artists: every picture enlarged on one page, and a sample field scene.
#pragma once

#include <QImage>
#include <vector>

#include "picture_set.h"

inline constexpr int kPreviewScale = 4;

// Every picture at scale x nearest-neighbour with its name, sprites composed with their masks
// over the window colour so stray white holes show. Needs a QGuiApplication for the labels.
QImage render_contact_sheet(const std::vector<GeneratedPicture>& pictures, int scale);

// fld with both Masters, familiars of both sides and the marks, composed with masks the way the
// game does (MERGEPAINT the mask, then SRCAND the picture), enlarged by scale. Null if fld is missing.
QImage render_field_preview(const std::vector<GeneratedPicture>& pictures, int scale);

// MERGEPAINT the mask then SRCAND the picture at (x, y), as the game draws sprites.
void paint_masked(QImage& dest, const QImage& picture, const QImage& mask, int x, int y);
