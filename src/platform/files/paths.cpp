// Finding vr_data on disk (current directory, beside the executable, the installed copy) and the
// folder of the player's save and records.
#include "platform/files/paths.h"

#include <unistd.h>

#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vr {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDataDirName = "vr_data";
// Set by the build: from the installed executable's folder to the shared data ("../share").
constexpr const char* kDataFromProgram = BERORAN_DATA_FROM_BIN;
constexpr const char* kInstalledDataDir = "beroran/vr_data";
constexpr const char* kPlayerDirName = "beroran";
const char* const kPlayerFiles[] = {"vrdat.txt", "vrrec.txt"};

std::string with_slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool is_dir(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

fs::path installed_data_directory() {
    return fs::path(program_directory()) / kDataFromProgram / kInstalledDataDir;
}

bool is_player_file(const std::string& name) {
    return std::find(std::begin(kPlayerFiles), std::end(kPlayerFiles), name) != std::end(kPlayerFiles);
}

// The file name after "vr_data/" in a game path, or empty when the path names no vr_data.
std::string name_in_data(const std::string& game_path) {
    const std::string path = with_slashes(game_path);
    const std::string marker = std::string(kDataDirName) + "/";
    const size_t at = path.rfind(marker);
    if (at == std::string::npos || (at > 0 && path[at - 1] != '/')) return {};
    return path.substr(at + marker.size());
}

PlayerFilePaths player_file(const std::string& name) {
    return locate_player_file(name, data_directory(), data_directory_keeps_player_files(),
                              player_directory());
}

}  // namespace

std::string program_directory() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return ".";
    return exe.parent_path().string();
}

std::string data_directory() {
    if (is_dir(kDataDirName)) return kDataDirName;
    const fs::path beside = fs::path(program_directory()) / kDataDirName;
    if (is_dir(beside)) return beside.string();
    // A build directory inside the source tree finds the committed data one level up.
    const fs::path above = fs::path(program_directory()).parent_path() / kDataDirName;
    if (is_dir(above)) return above.string();
    const fs::path installed = installed_data_directory().lexically_normal();
    if (is_dir(installed)) return installed.string();
    return kDataDirName;
}

bool data_directory_keeps_player_files() {
    const std::string dir = data_directory();
    if (::access(dir.c_str(), W_OK) != 0) return false;
    std::error_code error;
    return !fs::equivalent(dir, installed_data_directory(), error);
}

std::string player_directory() {
    if (data_directory_keeps_player_files()) return data_directory();
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // Without a home there is nowhere better; writing there fails and the game says so.
    if (shared.isEmpty()) return data_directory();
    return (fs::path(shared.toStdString()) / kPlayerDirName).string();
}

PlayerFilePaths locate_player_file(const std::string& name, const std::string& data_dir,
                                   bool data_dir_keeps_files, const std::string& player_dir) {
    const std::string in_data = (fs::path(data_dir) / name).string();
    if (data_dir_keeps_files) return {in_data, in_data};
    const std::string in_player_dir = (fs::path(player_dir) / name).string();
    const bool only_in_data = !exists(in_player_dir) && exists(in_data);
    return {only_in_data ? in_data : in_player_dir, in_player_dir};
}

std::string resolve_data_path(const std::string& game_path) {
    const std::string name = name_in_data(game_path);
    if (name.empty()) return with_slashes(game_path);
    if (is_player_file(name)) return player_file(name).read;
    return (fs::path(data_directory()) / name).string();
}

std::string resolve_data_path_for_writing(const std::string& game_path) {
    const std::string name = name_in_data(game_path);
    if (is_player_file(name)) return player_file(name).write;
    return resolve_data_path(game_path);
}

}  // namespace vr
