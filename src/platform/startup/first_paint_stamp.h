// A figure for the start-up benchmark: when BERORAN_FIRST_PAINT_STAMP is set, the monotonic clock
// at main() and at the first paint of one widget are printed on standard output; otherwise nothing.
#pragma once

#include <QObject>
#include <chrono>

class QWidget;

namespace vr {

// ---- first paint stamp (bench/startup_bench) ----

class FirstPaintStamp : public QObject {
public:
    FirstPaintStamp();  // construct first thing in main()
    // Prints "first-paint <main ns> <paint ns>" when `widget` is first painted.
    void watch(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool asked_ = false;
    std::chrono::steady_clock::time_point main_started_;
};

}  // namespace vr
