// Presses and pointing on the familiar and magic icon strips: the second step of summoning, the
// choice of a Magic with its targets, and heal targets in reserve.
#include "app/game_form.h"

namespace vr {

namespace {

// Quick and power stop raising mv and atk here.
constexpr int kBoostCeiling = 6;

int enemy_of(int side) {
    return kComputer + kHuman - side;
}

// What the summon button marks, less the price, which summon_familiar tests itself. A fallen
// Familiar's icon stays in the strip, so the press has to be checked here.
bool offered_for_summon(const FamiliarRecord& familiar) {
    const bool in_reserve = familiar.square == kHumanHome || familiar.square == kComputerHome;
    return familiar.owned && in_reserve && familiar.damage < familiar.hp;
}

// Which Familiars and squares Magic `magic` may be cast on, for the side `own`.
void mark_targets(GameForm& form, int magic, int own) {
    const int enemy = enemy_of(own);
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& mine = form.familiars(own, slot);
        const FamiliarRecord& theirs = form.familiars(enemy, slot);
        switch (magic) {
            case kSleep:
            case kBullet:
                form.target_familiars(enemy, slot) = on_field(theirs.square);
                break;
            case kHeal:
                form.target_familiars(own, slot) = mine.damage > 0;
                break;
            case kQuick:
                form.target_familiars(own, slot) =
                    on_field(mine.square) && mine.mv + mine.quick_bonus < kBoostCeiling;
                break;
            case kPower:
                form.target_familiars(own, slot) =
                    on_field(mine.square) && mine.atk + mine.power_bonus < kBoostCeiling;
                break;
            case kHighheal:
                form.target_familiars(own, slot) = on_field(mine.square) && mine.damage > 0;
                break;
            default:
                break;
        }
    }
    if (magic == kTrap) {
        for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square)
            form.target_squares(square) = true;
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            for (int side = kHuman; side <= kComputer; ++side) {
                const int square = form.familiars(side, slot).square;
                if (on_field(square)) form.target_squares(square) = false;
            }
        }
    }
    if (magic == kMeteor) {
        for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square)
            form.target_squares(square) = true;
    }
}

void draw_target_marks(GameForm& form) {
    for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square) {
        if (form.target_squares(square)) form.draw_cursor_on_square(square);
    }
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!form.target_familiars(kHuman, slot)) continue;
        const int square = form.familiars(kHuman, slot).square;
        // A target in reserve is chosen in the icon strip, so the mark goes there.
        if (on_field(square)) {
            form.draw_cursor_on_square(square);
        } else {
            form.draw_cursor_on_icon(form.monicon(slot));
        }
    }
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (form.target_familiars(kComputer, slot))
            form.draw_cursor_on_square(form.familiars(kComputer, slot).square);
    }
}

bool any_target_square(const GameForm& form) {
    for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square) {
        if (form.target_squares(square)) return true;
    }
    return false;
}

bool any_target_familiar(const GameForm& form) {
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            if (form.target_familiars(side, slot)) return true;
        }
    }
    return false;
}

}  // namespace

void GameForm::monicon_MouseDown(int index, int, int, float, float) {
    // A command left over from another stage (a load in mid-command) must not act for side 2.
    if (active_side != kHuman || !board_in_play()) return;
    if (ActionMode == "summon") {
        if (!offered_for_summon(familiars(kHuman, index))) return;
        reset_icon_strips();
        summon_familiar(index);
        navi.set_caption(kChooseAction);
    }
    if (ActionMode == "heal") {
        cast_heal(index);
        draw_field(0, 0, 0, 0);
    }
    if (ActionMode == "highheal") {
        cast_highheal(index);
        draw_field(0, 0, 0, 0);
    }
}

void GameForm::monicon_MouseMove(int index, int, int, float, float) {
    show_familiar_info(kHuman, index);
}

void GameForm::mgcicon_MouseDown(int index, int, int, float, float) {
    if (active_side != kHuman || !board_in_play()) return;
    if (ActionMode != "magic") return;
    target_squares.fill(false);
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) target_familiars(side, slot) = false;
    }
    // An unaffordable Magic keeps the "magic" mode and the marks of the magic button.
    if (masters(active_side).mp >= magics(index).cost) {
        mark_targets(*this, index, active_side);
        ActionMode = kMagicKeywords[index];
        draw_field(0, 0, 0, 0);
        reset_icon_strips();
        draw_target_marks(*this);
    }
    navi.set_caption(VR_TEXT("Messages", "魔法の対象がありません"));
    if (any_target_square(*this)) navi.set_caption(VR_TEXT("Messages", "魔法をかける地点を選んでください"));
    if (any_target_familiar(*this)) navi.set_caption(VR_TEXT("Messages", "魔法の対象を選んでください"));
}

void GameForm::mgcicon_MouseMove(int index, int, int, float, float) {
    show_magic_info(index);
}

}  // namespace vr
