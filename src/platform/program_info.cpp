// The version the build passes in.
#include "platform/program_info.h"

namespace vr {

const char* program_version() {
    return BERORAN_VERSION;
}

}  // namespace vr
