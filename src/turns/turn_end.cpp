// Ending a turn and beginning the other side's: panel colours, turn counts, the MV and MP dice,
// and which Familiars are ready.
#include <algorithm>
#include <limits>
#include <string>

#include "app/game_form.h"

namespace vr {

namespace {

constexpr Colour kEndedPanel = 0x99FFCC;
constexpr Colour kHumanTurnPanel = 0x9999FF;
constexpr Colour kComputerTurnPanel = 0xFF9999;
// Counts stop here: one more would wrap negative, and the save and records files refuse
// negative counts, so the game would write files it cannot read back.
constexpr int16_t kMostTurns = std::numeric_limits<int16_t>::max();

// A roll of 1..faces added to what is left over, never above the die's size.
int16_t roll_onto(GameForm& form, int16_t faces, int16_t left_over) {
    const int roll = static_cast<int>(static_cast<float>(faces) * form.Rnd() + 1.0f);
    return static_cast<int16_t>(std::min(roll + left_over, static_cast<int>(faces)));
}

int16_t one_more_turn(int16_t turns) {
    return turns < kMostTurns ? static_cast<int16_t>(turns + 1) : kMostTurns;
}

}  // namespace

void GameForm::buttonturn_end_Click() {
    if (computer_thinking || !board_in_play()) return;
    draw_field(0, 0, 0, 0);
    reset_icon_strips();
    ActionMode.clear();
    Frame1(active_side).set_back_colour(kEndedPanel);
    Frame1(active_side).refresh();

    const int ended = active_side;
    active_side = static_cast<int16_t>(kComputer + kHuman - active_side);
    if (ended == kComputer) {
        Frame1(kHuman).set_back_colour(kHumanTurnPanel);
        buttonturn_end.set_caption("Next");
        // From here the button ends the player's turn again.
        buttonturn_end.set_discard_presses_while_busy(false);
        stage_turns(stage) = one_more_turn(stage_turns(stage));
        stage_turns(kTotalTurnsIndex) = one_more_turn(stage_turns(kTotalTurnsIndex));
        Label4.set_caption(kStageAndTurn.arg(stage).arg(stage_turns(stage)));
    }
    if (active_side == kComputer) {
        Frame1(kComputer).set_back_colour(kComputerTurnPanel);
        buttonturn_end.set_caption("Wait");
        // A press made while the computer plays would otherwise be replayed afterwards and end
        // the player's next turn before it began.
        buttonturn_end.set_discard_presses_while_busy(true);
    }
    Frame1(active_side).refresh();

    MasterRecord& master = masters(active_side);
    master.mv = roll_onto(*this, master.mv_max, master.mv);
    show_value(masmv(active_side), master.mv);
    master.mp = roll_onto(*this, master.mp_max, master.mp);
    show_value(masmp(active_side), master.mp);

    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        FamiliarRecord& familiar = familiars(active_side, slot);
        familiar.ready = on_field(familiar.square) && !familiar.asleep;
        familiar.asleep = false;
    }

    if (active_side == kHuman) {
        show_familiar_info(kHuman, 0);
        navi.set_caption(kChooseAction);
    } else {
        navi.set_caption(VR_TEXT("Messages", "…思考中…"));
        computer_turn();
    }
}

}  // namespace vr
