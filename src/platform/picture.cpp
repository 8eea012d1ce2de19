// Loading bitmaps for the game, converted once to a format the raster operations are exact on.
#include "platform/picture.h"

#include <QImageReader>

#include "platform/paths.h"

namespace vr {

Picture Picture::load(const std::string& game_path) {
    const std::string disk_path = resolve_data_path(game_path);
    QImageReader reader(QString::fromStdString(disk_path), "bmp");
    QImage image = reader.read();
    if (image.isNull()) {
        throw StartupError("cannot read picture \"" + game_path + "\" (" + disk_path +
                           "): " + reader.errorString().toStdString());
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
