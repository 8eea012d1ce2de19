// The start-up benchmark's stamp: main() and the first paint of one widget on the monotonic clock,
// which the benchmark shares with the process it started.
#include "platform/startup/first_paint_stamp.h"

#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace vr {

namespace {

long long nanoseconds(std::chrono::steady_clock::time_point at) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

}  // namespace

FirstPaintStamp::FirstPaintStamp()
    : asked_(std::getenv("BERORAN_FIRST_PAINT_STAMP") != nullptr),
      main_started_(std::chrono::steady_clock::now()) {}

void FirstPaintStamp::watch(QWidget& widget) {
    if (asked_) widget.installEventFilter(this);
}

bool FirstPaintStamp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    watched->removeEventFilter(this);
    // The widget paints itself after this returns; stamp once its painting is done.
    watched->event(event);
    std::printf("first-paint %lld %lld\n", nanoseconds(main_started_),
                nanoseconds(std::chrono::steady_clock::now()));
    std::fflush(stdout);
    return true;
}

}  // namespace vr
