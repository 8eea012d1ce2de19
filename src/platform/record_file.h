// Text files of comma-separated records, as the save and records files use them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vr {

// Reads exactly `count` whole numbers, separated by commas, blanks or line ends, each within
// the 16-bit signed range. Anything else (missing file, too few numbers, garbage) gives nullopt.
std::optional<std::vector<int>> read_record_numbers(const std::string& path, int count);

// Writes each record as one line of comma-separated decimals ended by CR LF, replacing the file
// atomically: an interrupted write leaves the old file whole. A missing folder is created first.
// Returns false when it cannot.
bool write_record_lines(const std::string& path, const std::vector<std::vector<int>>& records);

}  // namespace vr
