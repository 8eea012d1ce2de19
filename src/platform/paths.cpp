// Finding vr_data on disk: the current directory first, then beside the executable.
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vr {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDataDirName = "vr_data";

std::string with_slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool is_dir(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
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
    return kDataDirName;
}

std::string resolve_data_path(const std::string& game_path) {
    const std::string path = with_slashes(game_path);
    const std::string marker = std::string(kDataDirName) + "/";
    const size_t at = path.rfind(marker);
    if (at == std::string::npos || (at > 0 && path[at - 1] != '/')) return path;
    return (fs::path(data_directory()) / path.substr(at + marker.size())).string();
}

}  // namespace vr
