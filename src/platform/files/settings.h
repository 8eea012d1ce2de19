// The player's preferences that outlive a run (window scale, game speed, language), kept in the
// user's config folder. The game itself has none: each preference defaults to the game's own
// behaviour.
#pragma once

#include <string>

namespace vr {

// The stored value of `key`, or `fallback` when it was never stored or is not a number.
int read_setting(const char* key, int fallback);

// Stores `value` under `key` for the next start.
void write_setting(const char* key, int value);

// The same for a word, such as a language's code.
std::string read_text_setting(const char* key, const std::string& fallback);
void write_text_setting(const char* key, const std::string& value);

}  // namespace vr
