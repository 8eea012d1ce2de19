// Loading bitmaps for the game, kept small until drawn and then in a format the raster operations
// are exact on.
#include "platform/window/picture.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include "platform/files/paths.h"

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
constexpr int kHeadersEnd = kImageSizeAt + sizeof(uint32_t);
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

// The same pixels as palette indices when that is exact: Qt maps to a palette exactly when the
// colours fit in one and dithers otherwise, so a look at every pixel tells which it did.
QImage compacted(const QImage& rgb32) {
    QImage indexed = rgb32.convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> palette = indexed.colorTable();
    for (int y = 0; y < rgb32.height(); ++y) {
        const uchar* index = indexed.constScanLine(y);
        const auto* pixel = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < rgb32.width(); ++x) {
            if (palette[index[x]] != pixel[x]) return rgb32;
        }
    }
    return indexed;
}

}  // namespace

Picture Picture::load(const std::string& game_path, PictureSize size, Keep keep) {
    const std::string disk_path = resolve_data_path(game_path);
    const std::string named = "picture \"" + game_path + "\" (" + disk_path + ")";
    QFile file(QString::fromStdString(disk_path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw StartupError("cannot read " + named + ": " + file.errorString().toStdString());
    }
    // Read where it lies: a copy of the file in memory would outlast the picture as a hole.
    const QByteArray headers = file.peek(kHeadersEnd);
    QImageReader reader(&file, "bmp");
    // Named, not guessed: guessing asks every installed image plugin first, loading them all.
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw StartupError("cannot read " + named + ": " + reader.errorString().toStdString());
    }
    if (image.width() != size.width || image.height() != size.height) {
        throw StartupError(named + " is " + std::to_string(image.width()) + " x " +
                           std::to_string(image.height()) + " pixels; the game draws it at " +
                           std::to_string(size.width) + " x " + std::to_string(size.height));
    }
    const qint64 declared = declared_length(headers, image.width(), image.height());
    if (file.size() < declared) {
        throw StartupError(named + " is cut short: " + std::to_string(file.size()) + " of " +
                           std::to_string(declared) + " bytes");
    }
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    return Picture(keep == Keep::Compact ? compacted(rgb32) : rgb32, game_path);
}

Picture Picture::from_image(const QImage& image, const std::string& name) {
    return Picture(image.convertToFormat(QImage::Format_RGB32), name);
}

Picture::Picture(QImage image, std::string source)
    : pixels_(std::make_shared<const Pixels>(Pixels{std::move(image)})), source_(std::move(source)) {}

const QImage& Picture::image() const {
    static const QImage kEmpty;
    if (!pixels_) return kEmpty;
    QImage& image = pixels_->image;
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

}  // namespace vr
