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
    // How a picture waits until it is first drawn. Compact keeps one of 256 colours or fewer as
    // palette indices, a quarter of the memory, and expands it on the first draw; the start-up
    // loads every picture but shows only the title. Ready is for a picture shown at once.
    enum class Keep { Compact, Ready };

    Picture() = default;
    // Loads a Windows bitmap of exactly `size`; throws StartupError naming the file when it is
    // missing, unreadable, cut short or of another size, since it would draw a broken board.
    static Picture load(const std::string& game_path, PictureSize size, Keep keep = Keep::Compact);
    static Picture from_image(const QImage& image, const std::string& name);

    bool is_null() const { return !pixels_; }
    int width() const { return pixels_ ? pixels_->image.width() : 0; }
    int height() const { return pixels_ ? pixels_->image.height() : 0; }
    // Always Format_RGB32, so the raster operations are exact.
    const QImage& image() const;
    // The game path it was loaded from: lets tests and debugging tell pictures apart.
    const std::string& source() const { return source_; }
    bool same_as(const Picture& other) const { return pixels_ == other.pixels_; }

private:
    Picture(QImage image, std::string source);

    // Shared by every copy, so a picture is expanded once however many boxes show it.
    struct Pixels {
        mutable QImage image;
    };
    std::shared_ptr<const Pixels> pixels_;
    std::string source_;
};

}  // namespace vr
