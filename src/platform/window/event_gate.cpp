// Holding back input while a handler blocks, and replaying it afterwards.
#include "platform/window/event_gate.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace vr {

namespace {

struct HeldEvent {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
};

struct GateState {
    int depth = 0;
    bool close_pending = false;
    QPointer<QWidget> window;
    std::vector<HeldEvent> held;
    std::set<QWidget*> discarding;
    std::set<QWidget*> passing;
    QObject* filter = nullptr;
    QPointer<QWidget> key_owner;
    std::function<QWidget*(const QKeyEvent&)> key_target;
};

GateState& state() {
    static GateState gate;
    return gate;
}

bool is_user_input(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
    }
}

bool passes(QObject* receiver) {
    for (auto* w = qobject_cast<QWidget*>(receiver); w; w = w->parentWidget()) {
        if (state().passing.count(w)) return true;
    }
    return false;
}

bool aims_at_discarding_widget(QObject* receiver, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget) return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
        event->type() == QEvent::MouseButtonDblClick) {
        for (QWidget* w = widget; w; w = w->parentWidget()) {
            if (state().discarding.count(w)) return true;
        }
    }
    if (event->type() == QEvent::KeyPress && state().key_owner && state().key_target) {
        QWidget* target = state().key_target(*static_cast<QKeyEvent*>(event));
        if (target && state().discarding.count(target)) return true;
    }
    return false;
}

class InputFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        GateState& gate = state();
        if (gate.depth == 0 || !is_user_input(event->type())) return false;
        // Only widgets take part: a window-level event reaches its widget next.
        if (!receiver->isWidgetType()) return false;
        if (passes(receiver)) return false;
        if (aims_at_discarding_widget(receiver, event)) return true;
        // Mouse moves are not held: pointing shows data, which is stale by the time it would run.
        gate.held.push_back({QPointer<QObject>(receiver), std::unique_ptr<QEvent>(event->clone())});
        return true;
    }
};

void release_held_input() {
    GateState& gate = state();
    std::vector<HeldEvent> held;
    held.swap(gate.held);
    for (auto& item : held) {
        if (item.receiver) QCoreApplication::postEvent(item.receiver, item.event.release());
    }
}

}  // namespace

void EventGate::run(const std::function<void()>& handler) {
    GateState& gate = state();
    if (gate.depth > 0) return;
    ++gate.depth;
    handler();
    --gate.depth;
    release_held_input();
    if (gate.close_pending && gate.window) {
        gate.close_pending = false;
        gate.window->close();
    }
}

bool EventGate::busy() {
    return state().depth > 0;
}

void EventGate::install(QWidget* window) {
    GateState& gate = state();
    gate.window = window;
    if (!gate.filter && qApp) {
        gate.filter = new InputFilter(qApp);
        qApp->installEventFilter(gate.filter);
    }
}

void EventGate::request_close_later() {
    state().close_pending = true;
}

bool EventGate::close_pending() {
    return state().close_pending;
}

void EventGate::set_key_target(QWidget* owner, std::function<QWidget*(const QKeyEvent&)> target) {
    state().key_owner = owner;
    state().key_target = std::move(target);
}

void EventGate::set_passes_input(QWidget* widget) {
    state().passing.insert(widget);
    QObject::connect(widget, &QObject::destroyed, [widget] { state().passing.erase(widget); });
}

void EventGate::set_discard_presses(QWidget* widget, bool discard) {
    if (discard) {
        state().discarding.insert(widget);
    } else {
        state().discarding.erase(widget);
    }
}

}  // namespace vr
