// Loading bitmaps for the game, converted once to a format the raster operations are exact on.
#include "platform/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <system_error>

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

// What reading one bitmap file gave: the picture, or why there is none.
struct Decoded {
    QImage image;
    qint64 length = 0;    // bytes in the file
    qint64 declared = 0;  // bytes its headers say it holds
    std::string error;    // why it could not be read, else empty
};

Decoded decode(const std::string& disk_path) {
    Decoded decoded;
    QFile file(QString::fromStdString(disk_path));
    if (!file.open(QIODevice::ReadOnly)) {
        decoded.error = file.errorString().toStdString();
        return decoded;
    }
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    decoded.image = reader.read();
    if (decoded.image.isNull()) {
        decoded.error = reader.errorString().toStdString();
        return decoded;
    }
    decoded.length = bytes.size();
    decoded.declared = declared_length(bytes, decoded.image.width(), decoded.image.height());
    return decoded;
}

// Pictures announced for decoding ahead, by disk path; each is taken out by the one load that
// uses it.
std::mutex announced_mutex;
std::map<std::string, std::promise<Decoded>> announced_promises;
std::map<std::string, std::future<Decoded>> announced_pictures;

// Announced pictures are known by their absolute path, so a folder of the same name elsewhere (a
// test's scratch folder) never meets them.
std::string announced_key(const std::string& disk_path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(disk_path, error);
    return error ? disk_path : absolute.lexically_normal().string();
}

Decoded take_or_decode(const std::string& disk_path) {
    std::future<Decoded> ahead;
    {
        const std::lock_guard lock(announced_mutex);
        const auto found = announced_pictures.find(announced_key(disk_path));
        if (found != announced_pictures.end()) {
            ahead = std::move(found->second);
            announced_pictures.erase(found);
        }
    }
    return ahead.valid() ? ahead.get() : decode(disk_path);
}

}  // namespace

std::vector<std::string> announce_pictures(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::pair<uintmax_t, std::string>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".bmp") continue;
        found.emplace_back(entry.file_size(error), announced_key(entry.path().string()));
    }
    // Smallest first, roughly the order the start-up asks: sprites, then the screens' pictures.
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    const std::lock_guard lock(announced_mutex);
    for (auto& [bytes, path] : found) {
        std::promise<Decoded> promise;
        announced_pictures[path] = promise.get_future();
        announced_promises[path] = std::move(promise);
        paths.push_back(std::move(path));
    }
    return paths;
}

void withdraw_announced(const std::vector<std::string>& disk_paths) {
    const std::lock_guard lock(announced_mutex);
    for (const std::string& path : disk_paths) {
        announced_pictures.erase(path);
        announced_promises.erase(path);
    }
}

void decode_announced(const std::vector<std::string>& disk_paths) {
    for (const std::string& path : disk_paths) {
        Decoded decoded = decode(path);
        const std::lock_guard lock(announced_mutex);
        const auto found = announced_promises.find(path);
        if (found == announced_promises.end()) continue;
        found->second.set_value(std::move(decoded));
        announced_promises.erase(found);
    }
}

Picture Picture::load(const std::string& game_path, PictureSize size) {
    const std::string disk_path = resolve_data_path(game_path);
    const std::string named = "picture \"" + game_path + "\" (" + disk_path + ")";
    const Decoded decoded = take_or_decode(disk_path);
    const QImage& image = decoded.image;
    if (!decoded.error.empty()) throw StartupError("cannot read " + named + ": " + decoded.error);
    if (image.width() != size.width || image.height() != size.height) {
        throw StartupError(named + " is " + std::to_string(image.width()) + " x " +
                           std::to_string(image.height()) + " pixels; the game draws it at " +
                           std::to_string(size.width) + " x " + std::to_string(size.height));
    }
    if (decoded.length < decoded.declared) {
        throw StartupError(named + " is cut short: " + std::to_string(decoded.length) + " of " +
                           std::to_string(decoded.declared) + " bytes");
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
