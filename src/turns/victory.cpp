// Deciding whether a stage is over: marks the fallen Master, lets the player see it, and hands
// over to game over or stage clear.
#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kHumanMasterMarkX = 8;
constexpr int kComputerMasterMarkX = 424;
constexpr int kMasterMarkY = 12;
constexpr int kFallenMasterPause = 1000;

}  // namespace

int GameForm::check_victory() {
    int outcome = 0;
    // Side 1 is tested first: when both Masters fall together the player has lost.
    if (masters(kHuman).hp <= 0) {
        outcome = kHuman;
    } else if (masters(kComputer).hp > 0) {
        return 0;
    } else {
        outcome = kComputer;
    }
    const int mark_x = outcome == kHuman ? kHumanMasterMarkX : kComputerMasterMarkX;
    draw_sprite(fld, death_picture, death_mask, mark_x, kMasterMarkY);
    fld.refresh();
    Sleep(kFallenMasterPause);
    if (outcome == kHuman) {
        game_over();
    } else {
        stage_clear();
    }
    return outcome;
}

}  // namespace vr
