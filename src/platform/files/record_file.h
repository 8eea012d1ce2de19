// Text files of comma-separated records, as the save and records files use them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vr {

// Reads the first `count` whole numbers, separated by commas, blanks or line ends, each within
// the 16-bit signed range. A missing or oversized file, too few numbers, or anything else among
// them gives nullopt. Whatever follows the last of them is never read: saves written by hand or
// by older copies may carry more, and they have always loaded.
std::optional<std::vector<int>> read_record_numbers(const std::string& path, int count);

// Writes each record as one line of comma-separated decimals ended by CR LF, replacing the file
// atomically: an interrupted write leaves the old file whole. A missing folder is created first.
// Returns false when it cannot.
bool write_record_lines(const std::string& path, const std::vector<std::vector<int>>& records);

// Removes from `folder` what a copy killed in the middle of writing the save "vrdat.txt" or the
// records "vrrec.txt" leaves behind: a file named exactly vrdat.txt.XXXXXX or vrrec.txt.XXXXXX,
// six ASCII letters being the temporary name the atomic write gives it. Nothing else is touched,
// and a folder that cannot be read is left alone. Call it at start-up, before any write.
void remove_interrupted_writes(const std::string& folder);

}  // namespace vr
