// Numbers the rules and the field share: sides, squares, kinds and Magics.
#pragma once

#include <array>
#include <string_view>

namespace vr {

constexpr int kHuman = 1;     // side 1, the heroine's
constexpr int kComputer = 2;  // side 2
constexpr int kFirstSlot = 0;
constexpr int kLastSlot = 9;
constexpr int kFirstMagic = 0;
constexpr int kLastMagic = 7;
constexpr int kFirstFieldSquare = 1;
constexpr int kLastFieldSquare = 12;
constexpr int kHumanHome = 0;
constexpr int kComputerHome = 13;
constexpr int kLastStage = 8;
constexpr int kTotalTurnsIndex = 9;  // stage_turns / best_turns element for the whole campaign
constexpr int kLargestValue = 12;    // the largest number picture

constexpr int kSquareWidth = 32;
constexpr int kSpriteTop = 8;  // a sprite on square s stands at (32 * s, 8)

// Magic indices, in catalogue order.
constexpr int kSleep = 0;
constexpr int kHeal = 1;
constexpr int kBullet = 2;
constexpr int kQuick = 3;
constexpr int kPower = 4;
constexpr int kTrap = 5;
constexpr int kHighheal = 6;
constexpr int kMeteor = 7;

// Each Magic's keyword: its file stem and the ActionMode while its target is chosen.
constexpr std::array<std::string_view, 8> kMagicKeywords = {"sleep", "heal", "bullet",   "quick",
                                                            "power", "trap", "highheal", "meteor"};

constexpr int home_square(int side) {
    return side == kHuman ? kHumanHome : kComputerHome;
}
constexpr bool on_field(int square) {
    return square >= kFirstFieldSquare && square <= kLastFieldSquare;
}

}  // namespace vr
