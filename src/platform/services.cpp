// Production pause and random source.
#include "platform/services.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cmath>

namespace vr {

void QtPause::sleep(int milliseconds) {
    const int wait = static_cast<int>(std::lround(static_cast<double>(milliseconds) / speed_divisor_));
    if (wait <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

ClockRandom::ClockRandom() {
    randomize();
}

float ClockRandom::rnd() {
    // 24 random bits make every float in [0, 1) on a 2^-24 grid equally likely and never 1.0.
    constexpr float kScale = 1.0f / 16777216.0f;
    return static_cast<float>(generator_() >> 8) * kScale;
}

void ClockRandom::randomize() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    generator_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

}  // namespace vr
