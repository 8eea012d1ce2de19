// Game over: the game-over screen, with the campaign set up again at stage 1 behind it.
#include "app/game_form.h"

namespace vr {

void GameForm::game_over() {
    play_bgm("vr_data\\gameover.mid");
    show_screen(&frame_gameover);
    stage = 1;
    active_side = kComputer;
    // Stage 1 brings the heroine back to her starting values; the turn counts stay until the
    // player starts again from the title.
    stage_setup();
    show_familiar_info(kHuman, kFirstSlot);
    draw_field(0, 0, 0, 0);
}

}  // namespace vr
