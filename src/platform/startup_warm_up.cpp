// Start-up work moved off the GUI thread: reading fontconfig's configuration and font list takes
// about as long as building the whole window, and decoding the pictures nearly as long again.
#include "platform/startup_warm_up.h"

#include <fontconfig/fontconfig.h>

#include "platform/picture.h"

namespace vr {

// Qt's font database calls FcInit too, and then finds the configuration this one made.
FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

PictureWarmUp::PictureWarmUp(const std::string& data_folder)
    : announced_(announce_pictures(data_folder)), thread_([this] { decode_announced(announced_); }) {}

PictureWarmUp::~PictureWarmUp() {
    thread_.join();
    withdraw_announced(announced_);
}

}  // namespace vr
