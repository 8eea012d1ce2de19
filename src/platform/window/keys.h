// Keys as the game reads them, apart from Qt: a letter or digit is its upper-case ASCII code,
// Space is ' ', and the few other keys the game uses have codes above that range.
#pragma once

class QKeyEvent;

namespace vr {

constexpr int kKeyNone = 0;  // a key the game does not read, or one held with Ctrl, Alt or Meta
constexpr int kKeySpace = ' ';
constexpr int kKeyEnter = 0x100;  // Return or the keypad's Enter
constexpr int kKeyEscape = 0x101;
constexpr int kKeyLeft = 0x102;
constexpr int kKeyRight = 0x103;

// The game's code for a key press.
int game_key(const QKeyEvent& event);

}  // namespace vr
