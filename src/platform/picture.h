// A bitmap loaded from a "vr_data\..." path, shared and never changed after loading.
#pragma once

#include <QImage>
#include <memory>
#include <stdexcept>
#include <string>

namespace vr {

// A start-up failure the program reports on standard error before its window is shown.
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The size in pixels a picture is drawn at.
struct PictureSize {
    int width = 0;
    int height = 0;
};

class Picture {
public:
    Picture() = default;
    // Loads a Windows bitmap of exactly `size`; throws StartupError naming the file when it is
    // missing, unreadable, cut short or of another size, since it would draw a broken board.
    static Picture load(const std::string& game_path, PictureSize size);
    static Picture from_image(const QImage& image, const std::string& name);

    bool is_null() const { return !image_; }
    int width() const { return image_ ? image_->width() : 0; }
    int height() const { return image_ ? image_->height() : 0; }
    // Always Format_RGB32, so the raster operations are exact.
    const QImage& image() const;
    // The game path it was loaded from: lets tests and debugging tell pictures apart.
    const std::string& source() const { return source_; }
    bool same_as(const Picture& other) const { return image_ == other.image_; }

private:
    std::shared_ptr<const QImage> image_;
    std::string source_;
};

}  // namespace vr
