// Movement, strikes, knock-back chains, the bow and the way home.
#include <algorithm>

#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kEventPause = 500;  // ms after each trap, fall, Master hit and strike, so a chain reads

// Hit and fall marks sit inside the square; the sprung trap fills its width.
constexpr int kMarkInset = 8;
constexpr int kMarkTop = 12;

constexpr int kMinimumKnockBack = 1;
constexpr int kDef2Reduction = 2;
constexpr int kDef1Reduction = 1;

// The kind that rises again: falling sends it home unhurt.
constexpr int kRevivingSlot = 0;

const char* const kBowAbility = "bow";

int mark_left(int square) {
    return kSquareWidth * square + kMarkInset;
}

// How far a hit pushes the victim: the striker's attack less the victim's defence, never 0.
int knock_back(const FamiliarRecord& striker, const FamiliarRecord& victim) {
    int distance = striker.atk + striker.power_bonus;
    if (victim.ability == "def2") {
        distance -= kDef2Reduction;
    } else if (victim.ability == "def1") {
        distance -= kDef1Reduction;
    }
    return std::max(distance, kMinimumKnockBack);
}

}  // namespace

int GameForm::move_range(int side, int slot) {
    const FamiliarRecord& familiar = familiars(side, slot);
    return std::min<int>(masters(side).mv, familiar.mv + familiar.quick_bonus);
}

void GameForm::move_familiar(int side, int slot, int direction, int distance) {
    FamiliarRecord& mover = familiars(side, slot);
    ActionMode = "";
    mover.ready = false;
    fld.refresh();

    MasterRecord& master = masters(active_side);
    master.mv = static_cast<int16_t>(master.mv - distance);
    show_value(masmv(active_side), master.mv);

    // A bow-bearer shoots only at a field square; towards a Master it walks.
    const bool bow = mover.ability == kBowAbility && on_field(mover.square);
    const int target = mover.square + direction * distance;
    if (bow && on_field(target)) {
        bow_attack(side, slot, direction, distance);
    } else {
        advance_familiar(side, slot, direction, distance);
    }
}

// Hops, then resolves the landing in a fixed order: trap, fall, Master hit, leaving the field,
// strike on the occupant.
void GameForm::advance_familiar(int side, int slot, int direction, int distance) {
    FamiliarRecord& mover = familiars(side, slot);
    const int destination = mover.square + direction * distance;
    draw_field(side, slot, mover.square, destination);
    mover.square = static_cast<int16_t>(destination);

    if (on_field(destination) && trap_flags(destination)) {
        draw_sprite(fld, magics(kTrap).picture, magics(kTrap).mask, kSquareWidth * destination, kMarkTop);
        fld.refresh();
        Sleep(kEventPause);
        trap_flags(destination) = false;
        return_to_master(side, slot);
        // It stands at home now: it may still fall there, but it strikes nobody.
    }

    if (mover.damage >= mover.hp) {
        draw_sprite(fld, death_picture, death_mask, mark_left(mover.square), kMarkTop);
        fld.refresh();
        Sleep(kEventPause);
        return_to_master(side, slot);
    } else if (side == kHuman && mover.square == kComputerHome) {
        draw_sprite(fld, attack_picture, attack_mask, mark_left(kComputerHome), kMarkTop);
        fld.refresh();
        Sleep(kEventPause);
        masters(kComputer).hp = static_cast<int16_t>(masters(kComputer).hp - 1);
        show_value(mashp(kComputer), masters(kComputer).hp);
        return_to_master(kHuman, slot);
    } else if (side == kComputer && mover.square == kHumanHome) {
        draw_sprite(fld, attack_picture, attack_mask, mark_left(kHumanHome), kMarkTop);
        fld.refresh();
        Sleep(kEventPause);
        masters(kHuman).hp = static_cast<int16_t>(masters(kHuman).hp - 1);
        show_value(mashp(kHuman), masters(kHuman).hp);
        return_to_master(kComputer, slot);
    } else if (!on_field(destination)) {
        // Pushed past the enemy Master, or back past its own: home without effect.
        return_to_master(side, slot);
    } else {
        strike_familiar(side, slot, direction);
    }

    draw_field(0, 0, 0, 0);
}

void GameForm::strike_familiar(int side, int slot, int direction) {
    const FamiliarRecord& mover = familiars(side, slot);
    if (!on_field(mover.square)) return;

    // Friends are struck too: whoever stands there is in the way.
    for (int i = kHuman; i <= kComputer; ++i) {
        for (int j = kFirstSlot; j <= kLastSlot; ++j) {
            if (i == side && j == slot) continue;
            FamiliarRecord& victim = familiars(i, j);
            if (victim.square != mover.square) continue;

            victim.damage = static_cast<int16_t>(victim.damage + 1);
            const int push = knock_back(mover, victim);
            draw_sprite(fld, attack_picture, attack_mask, mark_left(mover.square), kMarkTop);
            fld.refresh();
            Sleep(kEventPause);
            advance_familiar(i, j, direction, push);
            return;
        }
    }
}

void GameForm::bow_attack(int side, int slot, int direction, int distance) {
    const FamiliarRecord& shooter = familiars(side, slot);
    const int target = shooter.square + direction * distance;
    bool shot = false;
    for (int i = kHuman; i <= kComputer; ++i) {
        for (int j = kFirstSlot; j <= kLastSlot; ++j) {
            if (i == side && j == slot) continue;
            FamiliarRecord& victim = familiars(i, j);
            if (victim.square != target) continue;

            shot = true;
            victim.damage = static_cast<int16_t>(victim.damage + 1);
            draw_sprite(fld, attack_picture, attack_mask, mark_left(target), kMarkTop);
            fld.refresh();
            Sleep(kEventPause);
            advance_familiar(i, j, direction, knock_back(shooter, victim));
        }
    }
    // Nobody to shoot: an ordinary move. After a shot the shooter stays, its MV spent all the same.
    if (!shot) advance_familiar(side, slot, direction, distance);
}

void GameForm::return_to_master(int side, int slot) {
    FamiliarRecord& familiar = familiars(side, slot);
    familiar.square = static_cast<int16_t>(home_square(side));
    familiar.ready = false;
    familiar.power_bonus = 0;
    familiar.quick_bonus = 0;
    // Clearing its damage lets this kind be summoned again right after falling.
    if (slot == kRevivingSlot) familiar.damage = 0;
    if (side == kHuman) monicon(slot).set_visible(true);
}

}  // namespace vr
