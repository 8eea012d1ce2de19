// Work the title's first paint waits for, begun on other threads as the program starts, while the
// window is built: the system's font configuration, and every picture decoded. Each object waits
// for its thread when it goes.
#pragma once

#include <string>
#include <thread>
#include <vector>

namespace vr {

// Reads the fonts. Needs nothing of Qt, so it can begin before the application exists.
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

// Decodes the pictures of `data_folder` that Picture::load will ask for, and forgets those it did
// not when it goes. Only while the QApplication exists: Qt's image readers look up their plugins
// through it.
class PictureWarmUp {
public:
    explicit PictureWarmUp(const std::string& data_folder);
    ~PictureWarmUp();
    PictureWarmUp(const PictureWarmUp&) = delete;
    PictureWarmUp& operator=(const PictureWarmUp&) = delete;

private:
    std::vector<std::string> announced_;
    std::thread thread_;
};

}  // namespace vr
