// Where the game's files live: "vr_data\..." paths of the game mapped onto the disk, and the
// player's own files (the save and the records) kept where they can be written.
#pragma once

#include <string>

namespace vr {

// The directory of the running executable, without a trailing separator.
std::string program_directory();

// The vr_data directory in use: the current directory's, the one beside the executable, the one a
// level above it (a build directory inside the source tree), then the installed one at
// ../share/beroran/vr_data from the executable, so a moved installation still finds it.
// "vr_data" when none exists.
std::string data_directory();

// True when the save and the records stay in the data directory itself, as in a source checkout:
// it is writable and is not the installed copy (which even root must not write into).
bool data_directory_keeps_player_files();

// The folder the save and the records are written to: the data directory when it keeps them,
// otherwise $XDG_DATA_HOME/beroran (created at the first write).
std::string player_directory();

// Maps a game path such as "vr_data\fld.bmp" to the file to read: backslashes become '/', and the
// name is looked up in data_directory(). The save and the records are read from the player's
// directory (see locate_player_file). A path that names no vr_data has its separators mapped only.
std::string resolve_data_path(const std::string& game_path);

// The same for writing: differs from resolve_data_path only for the save and the records.
std::string resolve_data_path_for_writing(const std::string& game_path);

// Where one of the player's files ("vrdat.txt", "vrrec.txt") is read and written, given the data
// directory, whether it keeps the player's files, and the player's own folder. When the data
// directory cannot keep them, writes go to the player's folder; reads take the player's folder's
// copy when it has one (it is the newer), else a copy left in the data directory, so a save made
// before is still offered. Neither copy is ever deleted.
struct PlayerFilePaths {
    std::string read;
    std::string write;
};
PlayerFilePaths locate_player_file(const std::string& name, const std::string& data_dir,
                                   bool data_dir_keeps_files, const std::string& player_dir);

}  // namespace vr
