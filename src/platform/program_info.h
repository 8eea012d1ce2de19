// What the program says about itself: its version as the build sets it, and its licence.
#pragma once

namespace vr {

// The project's version, e.g. "1.0.0".
const char* program_version();

constexpr const char* kProgramCopyright = "Copyright (C) 2026 Beroran developers";

// The licence of the program, its pictures and its music, as an SPDX identifier.
constexpr const char* kProgramLicence = "GPL-3.0-or-later";

}  // namespace vr
