// The move, summon and magic buttons: each sets a command mode and marks what it may use now;
// and wiping the cursor marks off the icon strips.
#include "app/game_form.h"

namespace vr {

void GameForm::buttonmove_Click() {
    if (active_side == kComputer || !board_in_play()) return;
    draw_field(0, 0, 0, 0);
    reset_icon_strips();
    ActionMode = "move";
    navi.set_caption(VR_TEXT("Messages", "移動できる使い魔がいません"));
    // The Master's MV is not tested: with none left the Familiar may still "move" 0 squares.
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& familiar = familiars(active_side, slot);
        if (on_field(familiar.square) && familiar.ready) {
            draw_cursor_on_square(familiar.square);
            navi.set_caption(VR_TEXT("Messages", "移動させる使い魔を選んでください"));
        }
    }
}

void GameForm::buttonsummon_Click() {
    if (active_side == kComputer || !board_in_play()) return;
    draw_field(0, 0, 0, 0);
    reset_icon_strips();
    ActionMode = "summon";
    navi.set_caption(VR_TEXT("Messages", "召喚できる使い魔がいません"));
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& familiar = familiars(active_side, slot);
        // Either home square counts as reserve.
        const bool in_reserve = familiar.square == kHumanHome || familiar.square == kComputerHome;
        if (familiar.owned && in_reserve && familiar.cost <= masters(active_side).mp &&
            familiar.hp > familiar.damage) {
            navi.set_caption(VR_TEXT("Messages", "召喚する使い魔を選んでください"));
            draw_cursor_on_icon(monicon(slot));
        }
    }
}

void GameForm::buttonmagic_Click() {
    if (active_side == kComputer || !board_in_play()) return;
    draw_field(0, 0, 0, 0);
    reset_icon_strips();
    ActionMode = "magic";
    navi.set_caption(VR_TEXT("Messages", "使える魔法がありません"));
    // Magics not owned this stage are marked too, but their icons are hidden.
    for (int index = kFirstMagic; index <= kLastMagic; ++index) {
        if (magics(index).cost <= masters(active_side).mp) {
            navi.set_caption(VR_TEXT("Messages", "魔法を選んでください"));
            draw_cursor_on_icon(mgcicon(index));
        }
    }
}

// A fresh picture wipes any cursor mark drawn over it.
void GameForm::reset_icon_strips() {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        monicon(slot).set_picture(familiars(kHuman, slot).picture);
    for (int index = kFirstMagic; index <= kLastMagic; ++index)
        mgcicon(index).set_picture(magics(index).picture);
}

}  // namespace vr
