// The label: a caption with the game's line breaks, in the language in use.
#include <QEvent>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"

namespace vr {

Label::Label(QWidget* parent) : QLabel(parent), ScaledControl(this) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::place(int x, int y, int width, int height) {
    set_logical_geometry(QRect(x, y, width, height));
}

void Label::set_caption(const Text& caption) {
    caption_ = caption;
    caption_source_ = caption.source();
    setText(caption.shown());
}

void Label::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) setText(caption_.shown());
    QLabel::changeEvent(event);
}

void Label::set_back_colour(Colour colour) {
    set_background(this, colour);
}

}  // namespace vr
