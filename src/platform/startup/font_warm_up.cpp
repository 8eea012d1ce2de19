// Reading fontconfig's configuration and font list takes about as long as building the whole
// window, so it runs beside it.
#include "platform/startup/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace vr {

// Qt's font database calls FcInit too, and then finds the configuration this one made.
FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace vr
