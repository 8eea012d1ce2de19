// The system's font configuration read on another thread as the program starts, while the window
// is built: Qt would otherwise read it on the GUI thread the first time the window measures text.
#pragma once

#include <thread>

namespace vr {

// Needs nothing of Qt, so it can begin before the application exists. Waits for its thread when
// it goes.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp() { wait(); }
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once the fonts are ready; call it before the window first measures text, or Qt
    // reads the whole configuration a second time.
    void wait();

private:
    std::thread thread_;
};

}  // namespace vr
