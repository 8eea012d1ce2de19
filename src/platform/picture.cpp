// Loading bitmaps for the game, converted once to a format the raster operations are exact on.
#include "platform/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include "platform/paths.h"

namespace vr {

namespace {

// Fields of a Windows bitmap's file and info headers, by byte offset.
constexpr int kPixelOffsetAt = 10;
constexpr int kInfoSizeAt = 14;
constexpr int kCoreHeaderSize = 12;  // the old OS/2 header: 16-bit sizes, never compressed
constexpr int kCoreBitsAt = 24;
constexpr int kBitsAt = 28;
constexpr int kCompressionAt = 30;
constexpr int kImageSizeAt = 34;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

template <typename T>
T field(const QByteArray& bytes, int at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

// The bytes a bitmap says it holds: the pixel rows of an uncompressed one, or the image size its
// header gives for a compressed one. Qt reads a file cut short without complaint, leaving the
// missing rows blank, so this is the only sign of it. Called only on a bitmap Qt has decoded,
// with the size Qt found.
qint64 declared_length(const QByteArray& bytes, qint64 width, qint64 height) {
    constexpr int kHeadersEnd = kImageSizeAt + sizeof(uint32_t);
    if (bytes.size() < kHeadersEnd) return 0;
    const qint64 pixels_at = field<uint32_t>(bytes, kPixelOffsetAt);
    const bool core = field<uint32_t>(bytes, kInfoSizeAt) == kCoreHeaderSize;
    const qint64 bits = field<uint16_t>(bytes, core ? kCoreBitsAt : kBitsAt);
    const uint32_t compression = core ? kUncompressed : field<uint32_t>(bytes, kCompressionAt);
    if (compression == kUncompressed || compression == kBitFields || compression == kAlphaBitFields) {
        constexpr qint64 kRowAlignBits = 32;  // every row fills whole 32-bit words
        const qint64 row_bytes = (width * bits + kRowAlignBits - 1) / kRowAlignBits * (kRowAlignBits / 8);
        return pixels_at + row_bytes * height;
    }
    return pixels_at + field<uint32_t>(bytes, kImageSizeAt);
}

}  // namespace

Picture Picture::load(const std::string& game_path, PictureSize size) {
    const std::string disk_path = resolve_data_path(game_path);
    const std::string named = "picture \"" + game_path + "\" (" + disk_path + ")";
    QFile file(QString::fromStdString(disk_path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw StartupError("cannot read " + named + ": " + file.errorString().toStdString());
    }
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QImage image = reader.read();
    if (image.isNull()) {
        throw StartupError("cannot read " + named + ": " + reader.errorString().toStdString());
    }
    if (image.width() != size.width || image.height() != size.height) {
        throw StartupError(named + " is " + std::to_string(image.width()) + " x " +
                           std::to_string(image.height()) + " pixels; the game draws it at " +
                           std::to_string(size.width) + " x " + std::to_string(size.height));
    }
    const qint64 declared = declared_length(bytes, image.width(), image.height());
    if (bytes.size() < declared) {
        throw StartupError(named + " is cut short: " + std::to_string(bytes.size()) + " of " +
                           std::to_string(declared) + " bytes");
    }
    return from_image(image, game_path);
}

Picture Picture::from_image(const QImage& image, const std::string& name) {
    Picture picture;
    picture.image_ = std::make_shared<const QImage>(image.convertToFormat(QImage::Format_RGB32));
    picture.source_ = name;
    return picture;
}

const QImage& Picture::image() const {
    static const QImage kEmpty;
    return image_ ? *image_ : kEmpty;
}

}  // namespace vr
