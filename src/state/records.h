// The records of a game: one per Familiar kind and side, one per Master, one per Magic.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window/picture.h"

namespace vr {

// A side's Familiar of one kind: catalogue data (fixed at start-up) and live state.
struct FamiliarRecord {
    std::string name;         // kind name
    std::string description;  // info text, lines joined by CR LF
    int16_t hp = 0;           // damage it can take; fallen when damage >= hp
    int16_t atk = 0;          // attack strength (knock-back distance)
    int16_t mv = 0;           // move distance
    int16_t cost = 0;         // MP its Master pays to summon it
    std::string ability;      // "rev", "def1", "def2", "bow" or empty
    Picture picture;          // red set for side 1, blue for side 2
    Picture mask;
    int16_t damage = 0;       // damage taken; remaining hit points are hp - damage
    int16_t square = 0;       // 0..13; its home square (0 or 13) means in reserve
    bool ready = false;       // may still act this turn
    bool owned = false;       // the side has this kind in the current stage
    int16_t power_bonus = 0;  // added to atk (Magic power)
    int16_t quick_bonus = 0;  // added to mv (Magic quick)
    bool asleep = false;      // misses its side's next turn (Magic sleep)
};

struct MasterRecord {
    std::string name;    // side 1 "ロッタ"; side 2 set per stage
    int16_t hp = 0;      // the side loses when this is 0 or less
    int16_t mp_max = 0;  // MP ceiling and faces of the MP die
    int16_t mv_max = 0;  // MV ceiling and faces of the MV die
    int16_t mp = 0;      // magic points, spent on summons and Magics
    int16_t mv = 0;      // movement points left
    Picture picture;
    Picture mask;
};

struct MagicRecord {
    std::string label;        // upper-case display name
    std::string description;  // info text
    int16_t cost = 0;         // MP the caster pays
    bool owned = false;       // castable this stage, by either side
    Picture picture;          // icon and projectile
    Picture mask;
};

}  // namespace vr
