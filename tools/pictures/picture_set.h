// The whole picture set: the list in pictures.txt turned into named images, masks included.
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

#include "outcome.h"

struct GeneratedPicture {
    QString name;          // file name in vr_data without ".bmp", e.g. "r-skl_m"
    QImage image;          // Format_RGB32
    bool is_mask = false;  // derived from the picture named without "_m"
};

// The list file inside the assets directory.
inline constexpr char kPictureListFile[] = "pictures.txt";
inline constexpr char kPaletteFile[] = "palette.txt";
inline constexpr char kMaskSuffix[] = "_m";

// Builds every picture listed in assets_dir/pictures.txt, in list order, each mask right after its
// picture. Nothing is written; any bad source fails the whole set with a "file:line:" message.
Outcome<std::vector<GeneratedPicture>> build_picture_set(const QString& assets_dir);

// Black exactly where the picture is not pure white, white elsewhere.
QImage derive_mask(const QImage& picture);

// The 24-bit BMP bytes of image; the same image always gives the same bytes.
QByteArray encode_bmp(const QImage& image);

// Writes name.bmp for each picture into out_dir, each file replaced atomically.
// Returns the error, or empty on success.
std::optional<QString> write_picture_set(const std::vector<GeneratedPicture>& pictures,
                                         const QString& out_dir);
