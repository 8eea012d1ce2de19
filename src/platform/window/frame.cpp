// The frame: a panel with an etched border and a caption cut into it, or a plain coloured screen.
#include <QEvent>
#include <QPainter>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"

namespace vr {

namespace {

// The border's top line runs through the middle of the caption.
constexpr int kFrameBorderTop = 6;

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

void Frame::set_caption(const Text& caption) {
    caption_ = caption;
    caption_source_ = caption.source();
    caption_shown_ = caption.shown();
    update();
}

void Frame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        caption_shown_ = caption_.shown();
        update();
    }
    QWidget::changeEvent(event);
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
    if (caption_shown_.isEmpty()) return;
    // The caption is cut into the top edge, in the font of this scale.
    const QString& text = caption_shown_;
    const QFontMetrics metrics(font());
    const int padding = kCaptionPadding * s;
    const QRect text_rect(kCaptionLeft * s, 0, metrics.horizontalAdvance(text) + 2 * padding,
                          metrics.height());
    painter.fillRect(text_rect, to_qcolor(back_colour_));
    painter.setPen(Qt::black);
    painter.drawText(text_rect.adjusted(padding, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace vr
