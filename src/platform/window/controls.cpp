// Qt widgets behaving as the game's controls.
#include "platform/window/controls.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/startup/first_paint_watch.h"
#include "platform/window/deferred_icon_style.h"
#include "platform/window/desktop_icon.h"
#include "platform/window/event_gate.h"
#include "platform/window/keys.h"

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

// The keyboard cursor: a white frame under a black dashed one shows on any picture.
constexpr int kKeyCursorPen = 2;

bool is_press_key(int key) {
    return key == kKeySpace || key == kKeyEnter;
}

// Frame border and caption geometry.
constexpr int kFrameCaptionLeft = 8;
constexpr int kFrameBorderTop = 6;
constexpr int kFrameCaptionPadding = 2;

// The scale of the window a control stands in; 1 for a control outside any game window.
int scale_of_window(const QWidget* widget) {
    const auto* window = dynamic_cast<const Window*>(widget->window());
    return window ? window->scale() : 1;
}

// A device pixel of a control shown `scale` times larger lies on this pixel of the game's own:
// each game pixel covers a whole block of device pixels, so presses land exactly where the
// picture under them was drawn.
float to_game_pixel(qreal device, int scale) {
    return static_cast<float>(std::floor(device / scale));
}

// A rectangle outline one game pixel thick through the pixels from `from` to `to` inclusive.
void outline(QPainter& painter, QPoint from, QPoint to, const QColor& colour) {
    const int width = to.x() - from.x() + 1;
    const int height = to.y() - from.y() + 1;
    painter.fillRect(from.x(), from.y(), width, 1, colour);
    painter.fillRect(from.x(), to.y(), width, 1, colour);
    painter.fillRect(from.x(), from.y(), 1, height, colour);
    painter.fillRect(to.x(), from.y(), 1, height, colour);
}

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

bool reachable(const QWidget& control) {
    const QWidget* top = control.window();
    if (&control == top || !control.isVisibleTo(top) || !control.isEnabled()) return false;
    const QPoint middle = control.mapTo(top, control.rect().center());
    for (const QWidget* hit = top->childAt(middle); hit; hit = hit->parentWidget()) {
        if (hit == &control) return true;
    }
    return false;
}

[[noreturn]] void index_out_of_range(const char* what, int index, int lo, int hi) {
    std::fprintf(stderr, "beroran: %s index %d outside %d..%d\n", what, index, lo, hi);
    std::abort();
}

// ---- ScaledControl ----

ScaledControl::ScaledControl(QWidget* self)
    : self_(self), logical_(self->geometry()), scale_(scale_of_window(self)) {}

void ScaledControl::set_logical_geometry(const QRect& geometry) {
    logical_ = geometry;
    self_->setGeometry(logical_.x() * scale_, logical_.y() * scale_, logical_.width() * scale_,
                       logical_.height() * scale_);
}

void ScaledControl::apply_scale(int scale) {
    scale_ = scale;
    set_logical_geometry(logical_);
    self_->update();
}

// ---- PictureBox ----

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

// ---- Label ----

Label::Label(QWidget* parent) : QLabel(parent), ScaledControl(this) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::place(int x, int y, int width, int height) {
    set_logical_geometry(QRect(x, y, width, height));
}

void Label::set_caption(const std::string& caption) {
    caption_ = caption;
    setText(display_text(caption));
}

void Label::set_back_colour(Colour colour) {
    set_background(this, colour);
}

// ---- Frame ----

Frame::Frame(QWidget* parent) : QWidget(parent), ScaledControl(this) {
    set_back_colour(back_colour_);
}

void Frame::place(int x, int y, int width, int height) {
    set_logical_geometry(QRect(x, y, width, height));
}

void Frame::set_left(int x) {
    set_logical_geometry(logical_geometry().translated(x - logical_geometry().x(), 0));
}

void Frame::set_top(int y) {
    set_logical_geometry(logical_geometry().translated(0, y - logical_geometry().y()));
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
    // An etched border, drawn in the game's pixels so its lines grow with the scale.
    const int s = scale();
    const int right = logical_geometry().width() - 1;
    const int bottom = logical_geometry().height() - 1;
    painter.save();
    painter.scale(s, s);
    outline(painter, {0, kFrameBorderTop}, {right - 1, bottom - 1}, QColor(128, 128, 128));
    outline(painter, {1, kFrameBorderTop + 1}, {right, bottom}, QColor(255, 255, 255));
    painter.restore();
    if (caption_.empty()) return;
    // The caption is cut into the top edge, in the font of this scale.
    const QString text = to_qstring(caption_);
    const QFontMetrics metrics(font());
    const int padding = kFrameCaptionPadding * s;
    const QRect text_rect(kFrameCaptionLeft * s, 0, metrics.horizontalAdvance(text) + 2 * padding,
                          metrics.height());
    painter.fillRect(text_rect, to_qcolor(back_colour_));
    painter.setPen(Qt::black);
    painter.drawText(text_rect.adjusted(padding, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

// ---- CommandButton ----

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent), ScaledControl(this) {
    // Tab reaches the buttons; a click does not take the focus, so Enter keeps its meaning.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QPushButton::clicked, [this] {
        if (on_click) EventGate::run(on_click);
    });
}

void CommandButton::place(int x, int y, int width, int height) {
    set_logical_geometry(QRect(x, y, width, height));
}

void CommandButton::set_caption(const std::string& caption) {
    caption_ = caption;
    setText(to_qstring(caption));
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const int key = game_key(*event);
    if (!is_press_key(key) || !reachable(*this)) {
        if (!reachable(*this)) clearFocus();
        event->ignore();
        return;
    }
    // A held key does not repeat a press, as a held click would not.
    if (event->isAutoRepeat()) return;
    if (key == kKeyEnter) {
        click();
    } else {
        QPushButton::keyPressEvent(event);
    }
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

void MenuItem::join_radio_group(QActionGroup* group) {
    action_->setCheckable(true);
    group->addAction(action_);
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
    // The menu bar stays in the window on every desktop: the window is laid out around it, and
    // looking for a global menu service on the session bus would hold up the title.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    install_deferred_icon_style();
    setCentralWidget(client_);
    client_->setAutoFillBackground(true);
    EventGate::install(this);
    EventGate::set_key_target(this, [this](const QKeyEvent& event) -> QWidget* {
        const int key = game_key(event);
        if (key == kKeyNone) return nullptr;
        // Space and Enter press the button that has the Tab focus, when there is one.
        QWidget* focused = focusWidget();
        if (is_press_key(key) && dynamic_cast<CommandButton*>(focused) && reachable(*focused)) return focused;
        return key_target(key);
    });
    set_desktop_identity(*this);
}

void Window::set_caption(const std::string& caption) {
    setWindowTitle(to_qstring(caption));
}

void Window::set_client_size(int width, int height) {
    client_size_ = QSize(width, height);
    client_->setFixedSize(client_size_ * scale_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Window::set_font(const char* family, int pixels) {
    font_ = QFont(family);
    font_.setPixelSize(pixels);
    setFont(font_);
    set_scale(scale_);
}

void Window::set_scale(int scale) {
    assert(scale >= kSmallestScale && scale <= kLargestScale);
    scale_ = scale;
    QFont scaled = font_;
    if (font_.pixelSize() > 0) scaled.setPixelSize(font_.pixelSize() * scale);
    client_->setFont(scaled);
    for (QWidget* child : client_->findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<ScaledControl*>(child)) control->apply_scale(scale);
    }
    if (!client_size_.isValid()) return;
    client_->setFixedSize(client_size_ * scale);
    // The fixed-size layout fits the window around the new client area now, so a window about to
    // be shown appears at its final size.
    layout()->activate();
}

int Window::menu_bar_height() const {
    return menuBar()->sizeHint().height();
}

QSize Window::available_screen_size() const {
    return screen()->availableGeometry().size();
}

void Window::set_back_colour(Colour colour) {
    set_background(client_, colour);
}

QMenu* Window::add_menu(const std::string& caption) {
    return menuBar()->addMenu(to_qstring(caption));
}

QMenu* Window::add_submenu(QMenu* menu, const std::string& caption) {
    return menu->addMenu(to_qstring(caption));
}

QActionGroup* Window::add_radio_group() {
    auto* group = new QActionGroup(this);
    // MenuItem puts an item's own check back after Qt's toggle and the handler sets the marks, so
    // Qt must allow a moment with none checked.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    return group;
}

void Window::drop_focus() {
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void Window::show_painted() {
    // A display that never answers only delays what follows, by this much.
    constexpr int kLongestWaitMs = 500;
    QEventLoop loop;
    // The paint pass under way completes before the loop sees the quit.
    FirstPaintWatch painted(*this, [&loop] { loop.quit(); });
    QTimer::singleShot(kLongestWaitMs, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int key = game_key(*event);
    // Only the cursor keys repeat while held; a held Enter must not end turn after turn.
    const bool repeat_ok = key == kKeyLeft || key == kKeyRight;
    bool handled = false;
    if (key != kKeyNone && (repeat_ok || !event->isAutoRepeat()))
        EventGate::run([&] { handled = on_key_down(key); });
    if (!handled) QMainWindow::keyPressEvent(event);
}

bool Window::focusNextPrevChild(bool next) {
    QWidget* start = focusWidget() ? focusWidget() : this;
    QWidget* candidate = start;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate != this && isAncestorOf(candidate) && (candidate->focusPolicy() & Qt::TabFocus) &&
            reachable(*candidate)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    drop_focus();
    return true;
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

int largest_fitting_scale(QSize available, QSize client, int menu_bar_height) {
    // About 60 % of the screen leaves room for the desktop's panels and other windows.
    constexpr int kSharePercent = 60;
    const auto fits = [&](int scale) {
        return 100 * client.width() * scale <= kSharePercent * available.width() &&
               100 * (client.height() * scale + menu_bar_height) <= kSharePercent * available.height();
    };
    int scale = kSmallestScale;
    while (scale < kLargestScale && fits(scale + 1)) ++scale;
    return scale;
}

}  // namespace vr
