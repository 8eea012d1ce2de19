// Where the game's files live: "vr_data\..." paths of the game mapped onto the disk.
#pragma once

#include <string>

namespace vr {

// The directory of the running executable, without a trailing separator.
std::string program_directory();

// Maps a game path such as "vr_data\fld.bmp" to a file on disk: backslashes become '/', and the
// vr_data directory is looked up in the current directory first, then beside the executable
// (and its parent, so a build directory inside the source tree finds the committed data).
// A path that names no vr_data is returned with its separators mapped only.
std::string resolve_data_path(const std::string& game_path);

// The vr_data directory in use (see above), or "vr_data" when none exists yet.
std::string data_directory();

}  // namespace vr
