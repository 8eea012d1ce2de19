// The command button: a click or Space or Enter on its focus runs its handler through the event gate.
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"
#include "platform/window/event_gate.h"
#include "platform/window/keys.h"

namespace vr {

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

void CommandButton::set_caption(const Text& caption) {
    caption_ = caption;
    caption_source_ = caption.source();
    setText(caption.shown());
}

void CommandButton::set_tooltip(const Text& text) {
    tooltip_ = text;
    setToolTip(text.shown());
}

void CommandButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setText(caption_.shown());
        setToolTip(tooltip_.shown());
    }
    QPushButton::changeEvent(event);
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

void CommandButton::focusInEvent(QFocusEvent* event) {
    // Qt gives a window that comes back without a focus its first button, and Space would then
    // press that button instead of the screen's own: only a button Tab chose gets it back.
    const auto* game_window = dynamic_cast<const Window*>(window());
    if (event->reason() == Qt::ActiveWindowFocusReason && game_window && !game_window->focus_chosen(*this)) {
        clearFocus();
        return;
    }
    QPushButton::focusInEvent(event);
}

}  // namespace vr
