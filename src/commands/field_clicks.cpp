// Presses and pointing on the field: choosing a Familiar and its destination, the targets of
// Magics, and the info panel for whatever stands under the pointer.
#include <cmath>

#include "app/game_form.h"

namespace vr {

namespace {

// A press counts strictly inside the band of the sprites; pointing includes its edges.
constexpr float kBandTop = 8;
constexpr float kBandBottom = 40;
constexpr float kFieldRight = 448;

int square_at(float x) {
    return static_cast<int>(std::floor(x / kSquareWidth));
}

void choose_mover(GameForm& form, int square) {
    const int side = form.active_side;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& familiar = form.familiars(side, slot);
        if (familiar.square != square || !familiar.ready) continue;
        form.navi.set_caption(VR_TEXT("Messages", "移動先を選んでください"));
        form.ActionMode = "move2";
        const int range = form.move_range(side, slot);
        form.back_destination = static_cast<int16_t>(square - range);
        form.forward_destination = static_cast<int16_t>(square + range);
        form.selected_slot = static_cast<int16_t>(slot);
        form.draw_field(0, 0, 0, 0);
        form.reset_icon_strips();
        if (form.forward_destination <= kComputerHome) form.draw_cursor_on_square(form.forward_destination);
        if (form.back_destination >= kFirstFieldSquare) form.draw_cursor_on_square(form.back_destination);
        return;
    }
}

void move_to(GameForm& form, int square) {
    const int side = form.active_side;
    const int slot = form.selected_slot;
    const int from = form.familiars(side, slot).square;
    if (square == form.forward_destination) {
        form.move_familiar(side, slot, +1, form.forward_destination - from);
    } else if (square == form.back_destination && form.back_destination >= kFirstFieldSquare) {
        // Square 0 never carries a mark, so a press there is not a choice of destination.
        form.move_familiar(side, slot, -1, from - form.back_destination);
    } else {
        return;
    }
    form.check_victory();
    form.navi.set_caption(kChooseAction);
}

void cast_on_familiar(GameForm& form, int side, int slot) {
    using Cast = void (GameForm::*)(int);
    struct Choice {
        int magic;
        Cast cast;
    };
    static constexpr Choice kChoices[] = {
        {kSleep, &GameForm::cast_sleep},   {kHeal, &GameForm::cast_heal},
        {kBullet, &GameForm::cast_bullet}, {kQuick, &GameForm::cast_quick},
        {kPower, &GameForm::cast_power},   {kHighheal, &GameForm::cast_highheal},
    };
    for (const Choice& choice : kChoices) {
        if (form.ActionMode == kMagicKeywords[choice.magic] && form.target_familiars(side, slot)) {
            (form.*choice.cast)(slot);
            form.navi.set_caption(kChooseAction);
            return;
        }
    }
}

void cast_on_square(GameForm& form, int square) {
    if (square < kFirstFieldSquare || square > kLastFieldSquare) return;
    // A Masters' square is never a Magic's target.
    int found_side = 0;
    int found_slot = 0;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        for (int side = kHuman; side <= kComputer; ++side) {
            if (form.familiars(side, slot).square == square) {
                found_side = side;
                found_slot = slot;
            }
        }
    }
    if (found_side != 0) cast_on_familiar(form, found_side, found_slot);
    if (form.ActionMode == kMagicKeywords[kTrap] && form.target_squares(square)) {
        form.cast_trap(square);
        form.navi.set_caption(kChooseAction);
    } else if (form.ActionMode == kMagicKeywords[kMeteor] && form.target_squares(square)) {
        form.cast_meteor(square);
        form.check_victory();
        form.navi.set_caption(kChooseAction);
    }
}

}  // namespace

void GameForm::fld_MouseDown(int, int, float x, float y) {
    if (!(y > kBandTop && y < kBandBottom && x > 0 && x < kFieldRight)) return;
    // A command left over from another stage (a load in mid-command) must not act for side 2.
    if (active_side != kHuman || !board_in_play()) return;
    const int square = square_at(x);
    if (ActionMode == "move") {
        choose_mover(*this, square);
    } else if (ActionMode == "move2") {
        move_to(*this, square);
    } else {
        cast_on_square(*this, square);
    }
}

void GameForm::fld_MouseMove(int, int, float x, float y) {
    // x is checked before it becomes an int: NaN, infinities and huge values have no square.
    if (y < kBandTop || y > kBandBottom || !(x >= 0 && x < kFieldRight)) return;
    const int square = square_at(x);
    if (!on_field(square)) return;
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            if (familiars(side, slot).square == square) show_familiar_info(side, slot);
        }
    }
}

}  // namespace vr
