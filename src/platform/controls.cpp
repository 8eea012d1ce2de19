// Qt widgets behaving as the game's controls.
#include "platform/controls.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "platform/desktop_icon.h"
#include "platform/event_gate.h"

namespace vr {

namespace {

QString to_qstring(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The game writes line breaks as CR LF; Qt wants a plain line feed.
QString display_text(const std::string& caption) {
    QString text = to_qstring(caption);
    text.replace("\r\n", "\n");
    return text;
}

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

void set_background(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, to_qcolor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Frame border and caption geometry.
constexpr int kFrameCaptionLeft = 8;
constexpr int kFrameBorderTop = 6;

}  // namespace

QColor to_qcolor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void paint_raster(QImage& target, const QImage& source, int x, int y, RasterOp op) {
    assert(target.format() == QImage::Format_RGB32 && source.format() == QImage::Format_RGB32);
    const int x0 = std::max(0, x);
    const int y0 = std::max(0, y);
    const int x1 = std::min(target.width(), x + source.width());
    const int y1 = std::min(target.height(), y + source.height());
    constexpr uint32_t kColourBits = 0x00FFFFFF;
    constexpr uint32_t kOpaque = 0xFF000000;
    const int width = x1 - x0;
    for (int ty = y0; ty < y1; ++ty) {
        uint32_t* dest = reinterpret_cast<uint32_t*>(target.scanLine(ty)) + x0;
        const uint32_t* src = reinterpret_cast<const uint32_t*>(source.constScanLine(ty - y)) + (x0 - x);
        // One loop per operation keeps the inner loop branch-free, so the compiler vectorises it.
        if (op == RasterOp::MergePaint) {
            for (int i = 0; i < width; ++i) dest[i] = ((~src[i] | dest[i]) & kColourBits) | kOpaque;
        } else {
            for (int i = 0; i < width; ++i) dest[i] = ((src[i] & dest[i]) & kColourBits) | kOpaque;
        }
    }
}

[[noreturn]] void index_out_of_range(const char* what, int index, int lo, int hi) {
    std::fprintf(stderr, "beroran: %s index %d outside %d..%d\n", what, index, lo, hi);
    std::abort();
}

// ---- PictureBox ----

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::place(int x, int y, int width, int height) {
    setGeometry(x, y, width, height);
    clear_image();
}

void PictureBox::resizeEvent(QResizeEvent*) {
    if (image_.size() != size()) clear_image();
}

void PictureBox::clear_image() {
    // A background as large as the box (the field, every frame) is a plain copy.
    if (!picture_.is_null() && picture_.image().size() == size()) {
        image_ = picture_.image().copy();
        return;
    }
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(back_colour_);
    if (!picture_.is_null()) paint_raster(image_, picture_.image(), 0, 0, RasterOp::SrcAnd);
}

void PictureBox::set_picture(const Picture& picture) {
    picture_ = picture;
    clear_image();
    update();
}

void PictureBox::paint_picture(const Picture& picture, int x, int y, RasterOp op) {
    paint_raster(image_, picture.image(), x, y, op);
}

void PictureBox::refresh() {
    if (on_refresh) on_refresh(image_);
    repaint();
}

void PictureBox::set_back_colour(Colour colour) {
    back_colour_ = to_qcolor(colour);
    clear_image();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (!on_mouse_down) return;
    const QPointF at = event->position();
    const int button = mouse_button_code(event->button());
    const int shift = shift_code(event->modifiers());
    EventGate::run(
        [&] { on_mouse_down(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y())); });
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    if (!on_mouse_move || EventGate::busy()) return;
    const QPointF at = event->position();
    const int button = mouse_button_code(event->buttons());
    const int shift = shift_code(event->modifiers());
    EventGate::run(
        [&] { on_mouse_move(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y())); });
}

// ---- Label ----

Label::Label(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::place(int x, int y, int width, int height) {
    setGeometry(x, y, width, height);
}

void Label::set_caption(const std::string& caption) {
    caption_ = caption;
    setText(display_text(caption));
}

void Label::set_back_colour(Colour colour) {
    set_background(this, colour);
}

// ---- Frame ----

Frame::Frame(QWidget* parent) : QWidget(parent) {
    set_back_colour(back_colour_);
}

void Frame::place(int x, int y, int width, int height) {
    setGeometry(x, y, width, height);
}

void Frame::set_caption(const std::string& caption) {
    caption_ = caption;
    update();
}

void Frame::set_border_visible(bool visible) {
    border_visible_ = visible;
    update();
}

void Frame::set_back_colour(Colour colour) {
    back_colour_ = colour;
    set_background(this, colour);
    update();
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), to_qcolor(back_colour_));
    if (!border_visible_) return;
    // An etched border with the caption cut into its top edge.
    const QRect box(0, kFrameBorderTop, width() - 1, height() - kFrameBorderTop - 1);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(255, 255, 255));
    painter.drawRect(box.adjusted(1, 1, 0, 0));
    if (caption_.empty()) return;
    const QString text = to_qstring(caption_);
    const QFontMetrics metrics(font());
    const QRect text_rect(kFrameCaptionLeft, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    painter.fillRect(text_rect, to_qcolor(back_colour_));
    painter.setPen(Qt::black);
    painter.drawText(text_rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

// ---- CommandButton ----

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, [this] {
        if (on_click) EventGate::run(on_click);
    });
}

void CommandButton::place(int x, int y, int width, int height) {
    setGeometry(x, y, width, height);
}

void CommandButton::set_caption(const std::string& caption) {
    caption_ = caption;
    setText(to_qstring(caption));
}

void CommandButton::set_discard_presses_while_busy(bool discard) {
    EventGate::set_discard_presses(this, discard);
}

// ---- MenuItem ----

MenuItem::MenuItem(QMenu* menu, const std::string& caption)
    : action_(menu->addAction(to_qstring(caption))), caption_(caption) {
    QObject::connect(action_, &QAction::triggered, [this] {
        action_->setChecked(checked_);  // undo Qt's own toggle
        if (on_click) EventGate::run(on_click);
    });
}

void MenuItem::set_caption(const std::string& caption) {
    caption_ = caption;
    action_->setText(to_qstring(caption));
}

void MenuItem::set_checked(bool checked) {
    checked_ = checked;
    action_->setCheckable(true);
    action_->setChecked(checked);
}

bool MenuItem::checked() const {
    return checked_;
}

void MenuItem::click() {
    if (on_click) on_click();
}

// ---- Timer ----

Timer::Timer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // A tick that falls inside a handler's pause is skipped; the next one comes a little later.
        if (on_tick && !EventGate::busy()) EventGate::run(on_tick);
    });
}

void Timer::set_enabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        timer_.start();
    } else {
        timer_.stop();
    }
}

// ---- Window ----

Window::Window() : client_(new QWidget(this)) {
    setCentralWidget(client_);
    client_->setAutoFillBackground(true);
    EventGate::install(this);
    set_desktop_identity(*this);
}

void Window::set_caption(const std::string& caption) {
    setWindowTitle(to_qstring(caption));
}

void Window::set_client_size(int width, int height) {
    client_->setFixedSize(width, height);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Window::set_back_colour(Colour colour) {
    set_background(client_, colour);
}

QMenu* Window::add_menu(const std::string& caption) {
    return menuBar()->addMenu(to_qstring(caption));
}

void Window::closeEvent(QCloseEvent* event) {
    if (EventGate::busy()) {
        EventGate::request_close_later();
        event->ignore();
        return;
    }
    on_unload();
    event->accept();
}

}  // namespace vr
