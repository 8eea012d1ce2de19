// The computer's turn: a fixed priority list of rules with a few random gates, one action per
// pass through the same rule routines the player uses, until a pass finds nothing to do.
#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kPassPause = 500;
constexpr float kSummonChance = 0.75f;
constexpr float kMagicChance = 0.25f;
constexpr int kTargetAttempts = 10;
constexpr int kSlotCount = kLastSlot - kFirstSlot + 1;
constexpr int kFieldSquareCount = kLastFieldSquare - kFirstFieldSquare + 1;
constexpr int kMeteorFirstCentre = 3;
constexpr int kMeteorLastCentre = 10;
constexpr int kMeteorReach = 2;
constexpr int kMeteorMinSurplus = 2;  // side 1 must have this many more Familiars in the blast
constexpr int kBoostCeiling = 6;
constexpr int kHighhealWorthIt = 2;  // highheal only a Familiar with more damage than this
constexpr double kFragileShare = 0.5;

// Side 2 walks towards square 0.
constexpr int kForward = -1;
constexpr int kBackward = +1;

// One more hit would leave it at half its hp or worse.
bool fragile(const FamiliarRecord& familiar) {
    return (familiar.damage + 1.0) / familiar.hp >= kFragileShare;
}

bool side_stands_on(const GameForm& form, int side, int square) {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (form.familiars(side, slot).square == square) return true;
    }
    return false;
}

bool fragile_ally_on(const GameForm& form, int square, int except_slot) {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& ally = form.familiars(kComputer, slot);
        if (slot != except_slot && ally.square == square && fragile(ally)) return true;
    }
    return false;
}

void act_move(GameForm& form, int slot, int direction, int range) {
    form.computer_thinking = false;
    form.move_familiar(kComputer, slot, direction, range);
}

bool hit_the_master(GameForm& form) {
    for (int slot = kLastSlot; slot >= kFirstSlot; --slot) {
        const FamiliarRecord& mover = form.familiars(kComputer, slot);
        if (!mover.ready) continue;
        const int range = form.move_range(kComputer, slot);
        if (mover.square - range == kHumanHome) {
            act_move(form, slot, kForward, range);
            return true;
        }
    }
    return false;
}

bool strike_a_familiar(GameForm& form) {
    for (int slot = kLastSlot; slot >= kFirstSlot; --slot) {
        const FamiliarRecord& mover = form.familiars(kComputer, slot);
        if (!mover.ready) continue;
        const int range = form.move_range(kComputer, slot);
        for (int victim = kFirstSlot; victim <= kLastSlot; ++victim) {
            const int at = form.familiars(kHuman, victim).square;
            if (mover.square - range == at && at > kHumanHome) {
                act_move(form, slot, kForward, range);
                return true;
            }
            // A push ending exactly on square 13 would hit Master 2.
            if (mover.square + range == at && on_field(at) &&
                at + mover.atk + mover.power_bonus != kComputerHome) {
                act_move(form, slot, kBackward, range);
                return true;
            }
        }
    }
    return false;
}

// The first slot, from 9 down, that passes the chance gate and can be summoned now; -1 if none.
int summon_candidate(GameForm& form) {
    for (int slot = kLastSlot; slot >= kFirstSlot; --slot) {
        const float draw = form.Rnd();
        const FamiliarRecord& familiar = form.familiars(kComputer, slot);
        if (draw < kSummonChance && familiar.damage < familiar.hp &&
            form.masters(kComputer).mp >= familiar.cost && familiar.square == kComputerHome &&
            familiar.owned) {
            return slot;
        }
    }
    return -1;
}

int entry_square(const GameForm& form, int slot) {
    return kComputerHome - form.familiars(kComputer, slot).mv;
}

void act_summon(GameForm& form, int slot) {
    form.computer_thinking = false;
    form.summon_familiar(slot);
}

bool summon_onto_enemy(GameForm& form) {
    const int slot = summon_candidate(form);
    if (slot < 0 || !side_stands_on(form, kHuman, entry_square(form, slot))) return false;
    act_summon(form, slot);
    return true;
}

bool summon_freely(GameForm& form) {
    const int slot = summon_candidate(form);
    // The newcomer would strike whatever stands on its entry square.
    if (slot < 0 || fragile_ally_on(form, entry_square(form, slot), slot)) return false;
    act_summon(form, slot);
    return true;
}

bool advance(GameForm& form) {
    for (int slot = kLastSlot; slot >= kFirstSlot; --slot) {
        const FamiliarRecord& mover = form.familiars(kComputer, slot);
        if (!mover.ready) continue;
        const int range = form.move_range(kComputer, slot);
        const int destination = mover.square - range;
        if (destination > kHumanHome && !fragile_ally_on(form, destination, slot)) {
            act_move(form, slot, kForward, range);
            return true;
        }
    }
    return false;
}

int random_slot(GameForm& form) {
    return static_cast<int>(form.Rnd() * static_cast<float>(kSlotCount));
}

bool cast_meteor_where_worth_it(GameForm& form) {
    for (int centre = kMeteorLastCentre; centre >= kMeteorFirstCentre; --centre) {
        int surplus = 0;
        for (int square = centre - kMeteorReach; square <= centre + kMeteorReach; ++square) {
            for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
                if (form.familiars(kHuman, slot).square == square) ++surplus;
                if (form.familiars(kComputer, slot).square == square) --surplus;
            }
        }
        if (surplus >= kMeteorMinSurplus) {
            form.computer_thinking = false;
            form.cast_meteor(centre);
            return true;
        }
    }
    return false;
}

bool cast_trap_somewhere(GameForm& form) {
    for (int attempt = 0; attempt < kTargetAttempts; ++attempt) {
        const int square =
            static_cast<int>(static_cast<float>(kFieldSquareCount) * form.Rnd() + kFirstFieldSquare);
        if (!side_stands_on(form, kHuman, square) && !side_stands_on(form, kComputer, square)) {
            form.computer_thinking = false;
            form.cast_trap(square);
            return true;
        }
    }
    return false;
}

// Tries random slots of `side` and casts on the first that qualifies.
template <typename Qualifies>
bool cast_on_random_slot(GameForm& form, int side, Qualifies qualifies, void (GameForm::*cast)(int)) {
    for (int attempt = 0; attempt < kTargetAttempts; ++attempt) {
        const int slot = random_slot(form);
        if (qualifies(form.familiars(side, slot))) {
            form.computer_thinking = false;
            (form.*cast)(slot);
            return true;
        }
    }
    return false;
}

bool try_magic(GameForm& form, int magic) {
    const auto on_the_field = [](const FamiliarRecord& f) { return on_field(f.square); };
    switch (magic) {
        case kMeteor:
            return cast_meteor_where_worth_it(form);
        case kHighheal:
            return cast_on_random_slot(
                form, kComputer, [](const FamiliarRecord& f) { return f.damage > kHighhealWorthIt; },
                &GameForm::cast_highheal);
        case kTrap:
            return cast_trap_somewhere(form);
        case kPower:
            return cast_on_random_slot(
                form, kComputer,
                [](const FamiliarRecord& f) {
                    return f.atk + f.power_bonus < kBoostCeiling && on_field(f.square);
                },
                &GameForm::cast_power);
        case kQuick:
            return cast_on_random_slot(
                form, kComputer,
                [](const FamiliarRecord& f) {
                    return f.mv + f.quick_bonus < kBoostCeiling && on_field(f.square);
                },
                &GameForm::cast_quick);
        case kBullet:
            return cast_on_random_slot(form, kHuman, on_the_field, &GameForm::cast_bullet);
        case kHeal:
            return cast_on_random_slot(
                form, kComputer, [](const FamiliarRecord& f) { return f.damage > 0; }, &GameForm::cast_heal);
        case kSleep:
            return cast_on_random_slot(form, kHuman, on_the_field, &GameForm::cast_sleep);
        default:
            return false;
    }
}

// Only the first Magic whose gate opens is tried in a pass, target or not.
bool cast_one_magic(GameForm& form) {
    static constexpr int kPreference[] = {kMeteor, kHighheal, kTrap, kPower, kQuick, kBullet, kHeal, kSleep};
    for (int magic : kPreference) {
        const float draw = form.Rnd();
        if (draw < kMagicChance && form.masters(kComputer).mp >= form.magics(magic).cost &&
            form.magics(magic).owned) {
            return try_magic(form, magic);
        }
    }
    return false;
}

// A summon runs its own victory check, which may already have ended the stage and set up the
// next one behind its screen; the pass's own check would then see a fresh board.
bool stage_ended_behind_a_screen(const GameForm& form) {
    return form.frame_gameover.is_visible() || form.frame_stageclear.is_visible() ||
           form.frame_epilogue.is_visible();
}

}  // namespace

void GameForm::computer_turn() {
    for (;;) {
        computer_thinking = true;
        Sleep(kPassPause);
        const bool acted = hit_the_master(*this) || strike_a_familiar(*this) || summon_onto_enemy(*this) ||
                           summon_freely(*this) || advance(*this) || cast_one_magic(*this);
        const int outcome = check_victory();
        if (outcome != 0 || stage_ended_behind_a_screen(*this)) {
            computer_thinking = false;
            masters(kComputer).mv = 0;
            masters(kComputer).mp = 0;
            // The button reads "開始" again on the new stage.
            buttonturn_end.set_discard_presses_while_busy(false);
            return;
        }
        if (!acted) {
            computer_thinking = false;
            buttonturn_end_Click();
            return;
        }
    }
}

}  // namespace vr
