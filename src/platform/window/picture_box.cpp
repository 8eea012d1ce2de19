// The picture box: a persistent image drawn with raster operations, shown at the window's scale,
// reporting presses and moves in the game's own pixels.
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "platform/window/controls.h"
#include "platform/window/event_gate.h"

namespace vr {

namespace {

int mouse_button_code(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int shift_code(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

// The keyboard cursor: a white frame under a black dashed one shows on any picture.
constexpr int kKeyCursorPen = 2;

// A device pixel of a control shown `scale` times larger lies on this pixel of the game's own:
// each game pixel covers a whole block of device pixels, so presses land exactly where the
// picture under them was drawn.
float to_game_pixel(qreal device, int scale) {
    return static_cast<float>(std::floor(device / scale));
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), ScaledControl(this) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::place(int x, int y, int width, int height) {
    set_logical_geometry(QRect(x, y, width, height));
    clear_image();
}

void PictureBox::resizeEvent(QResizeEvent*) {
    // A new scale keeps what is drawn; only a new place in the game's pixels starts afresh.
    if (image_.size() != logical_geometry().size()) clear_image();
}

void PictureBox::clear_image() {
    image_ = QImage();
}

QImage& PictureBox::drawn_image() const {
    const QSize size = logical_geometry().size();
    if (!image_.isNull() || size.isEmpty()) return image_;
    // A background as large as the box (the field, every screen) is shared with the picture until
    // something is drawn on it: most screens never are.
    if (!picture_.is_null() && picture_.image().size() == size) {
        image_ = picture_.image();
        return image_;
    }
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(back_colour_);
    if (!picture_.is_null()) paint_raster(image_, picture_.image(), 0, 0, RasterOp::SrcAnd);
    return image_;
}

const QImage& PictureBox::image() const {
    return drawn_image();
}

void PictureBox::set_picture(const Picture& picture) {
    picture_ = picture;
    clear_image();
    update();
}

void PictureBox::paint_picture(const Picture& picture, int x, int y, RasterOp op) {
    paint_raster(drawn_image(), picture.image(), x, y, op);
}

void PictureBox::refresh() {
    if (on_refresh) on_refresh(drawn_image());
    repaint();
}

void PictureBox::set_back_colour(Colour colour) {
    back_colour_ = to_qcolor(colour);
    clear_image();
    update();
}

void PictureBox::set_key_cursor(int x, int y, int width, int height) {
    key_cursor_ = QRect(x, y, width, height);
    update();
}

void PictureBox::clear_key_cursor() {
    key_cursor_ = QRect();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Everything below is drawn in the game's pixels; without smoothing each one becomes a
    // solid block, the pixel art's own look.
    painter.scale(scale(), scale());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, drawn_image());
    if (key_cursor_.isNull()) return;
    // Drawn inside the cell, in the image's own coordinates.
    const QRectF frame = QRectF(key_cursor_).adjusted(1, 1, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, kKeyCursorPen));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, kKeyCursorPen, Qt::DashLine));
    painter.drawRect(frame);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (!on_mouse_down) return;
    const float x = to_game_pixel(event->position().x(), scale());
    const float y = to_game_pixel(event->position().y(), scale());
    const int button = mouse_button_code(event->button());
    const int shift = shift_code(event->modifiers());
    EventGate::run([&] { on_mouse_down(button, shift, x, y); });
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    if (!on_mouse_move || EventGate::busy()) return;
    const float x = to_game_pixel(event->position().x(), scale());
    const float y = to_game_pixel(event->position().y(), scale());
    const int button = mouse_button_code(event->buttons());
    const int shift = shift_code(event->modifiers());
    EventGate::run([&] { on_mouse_move(button, shift, x, y); });
}

}  // namespace vr
