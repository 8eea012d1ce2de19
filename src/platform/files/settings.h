// The player's preferences that outlive a run (window scale, game speed), kept in the user's
// config folder. The game itself has none: each preference defaults to the game's own behaviour.
#pragma once

namespace vr {

// The stored value of `key`, or `fallback` when it was never stored or is not a number.
int read_setting(const char* key, int fallback);

// Stores `value` under `key` for the next start.
void write_setting(const char* key, int value);

}  // namespace vr
