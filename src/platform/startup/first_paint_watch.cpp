// The first paint of a window, seen through the application: a screen may cover the window's own
// client area, so any of its widgets can be the first painted.
#include "platform/startup/first_paint_watch.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace vr {

FirstPaintWatch::FirstPaintWatch(QWidget& window, std::function<void()> action, QObject* parent)
    : QObject(parent), window_(window), action_(std::move(action)) {
    qApp->installEventFilter(this);
}

FirstPaintWatch::~FirstPaintWatch() {
    qApp->removeEventFilter(this);
}

bool FirstPaintWatch::eventFilter(QObject* watched, QEvent* event) {
    // Every event of the application passes here until the paint comes: the cheap test first.
    if (event->type() != QEvent::Paint || !action_) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    qApp->removeEventFilter(this);
    auto action = std::exchange(action_, nullptr);
    action();
    return false;
}

}  // namespace vr
