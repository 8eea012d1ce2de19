// Scaffolding while the game is assembled: a routine that is not written yet aborts loudly.
// This header is deleted once every routine exists.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace vr {

[[noreturn]] inline void not_built_yet(const char* routine) {
    std::fprintf(stderr, "beroran: %s is not built yet\n", routine);
    std::abort();
}

}  // namespace vr
