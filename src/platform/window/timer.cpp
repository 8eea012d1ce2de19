// The timer: ticks run through the event gate, and never inside a handler's pause.
#include "platform/window/controls.h"
#include "platform/window/event_gate.h"

namespace vr {

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

}  // namespace vr
