// The music commands the game sends, taken apart.
#pragma once

#include <optional>
#include <string>

namespace vr {

// ---- commands: the text the game sends, taken apart ----

enum class MusicVerb { Open, Close, Play, Stop, Seek, Status };

struct MusicCommand {
    MusicVerb verb = MusicVerb::Close;
    std::string alias;  // the device name the command addresses ("bgmfile")
    std::string path;   // Open only: the file as written, quotes removed
};

// Parses one command ("open C:\x\vr_data\dice.mid alias bgmfile", "status bgmfile mode", ...).
// Keywords are case-insensitive and the trailing words "wait" and "notify" are accepted; an open
// path may be quoted, or unquoted up to the last "alias" word. Anything else gives nullopt.
std::optional<MusicCommand> parse_music_command(const std::string& text);

}  // namespace vr
