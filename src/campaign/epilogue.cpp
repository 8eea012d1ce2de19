// The last scene after stage 8, and the game-clear screen with the record for the whole campaign.
#include "app/game_form.h"

namespace vr {

void GameForm::show_epilogue() {
    play_bgm("vr_data\\nextmap.mid");
    show_screen(&frame_epilogue);
    Label9.set_caption(update_record(kLastStage));
    // The campaign is over: stage 1 waits behind the screen, and the heroine does not grow.
    stage = 1;
    active_side = kComputer;
    stage_setup();
    show_familiar_info(kHuman, kFirstSlot);
    draw_field(0, 0, 0, 0);
}

void GameForm::gameclear2_Click() {
    // Only once, from the epilogue: a second call would judge the total again and zero the counts.
    if (!frame_epilogue.is_visible()) return;
    play_bgm("vr_data\\clear.mid");
    show_screen(&frame_gameclear);
    // The total is judged only now, after stage 8's own record was checked on the epilogue.
    Label7.set_caption(update_record(kTotalTurnsIndex));
    for (int n = 1; n <= kTotalTurnsIndex; ++n) stage_turns(n) = 0;
}

}  // namespace vr
