// Start-up: the screens laid over the board, the records, the catalogue and every picture.
#include "app/game_form.h"

namespace vr {

void GameForm::Form_Load() {
    // A second copy never gets this far: main() checks the single-instance lock before the
    // window exists, so the new copy ends at once.

    Frame* screens[] = {&frame_title,      &frame_gameclear, &frame_gameover,
                        &frame_stageclear, &frame_epilogue,  &frame_prologue};
    for (Frame* screen : screens) {
        screen->set_left(0);
        screen->set_top(0);
    }

    frame_title.set_visible(true);
    frame_gameclear.set_visible(false);
    frame_gameover.set_visible(false);
    frame_stageclear.set_visible(false);
    frame_epilogue.set_visible(false);
    frame_prologue.set_visible(false);

    navi.set_caption("開始ボタンを押してください");

    random.randomize();

    load_records();
    load_catalogue();

    attack_picture = Picture::load("vr_data\\attack.bmp");
    attack_mask = Picture::load("vr_data\\attack_m.bmp");
    death_picture = Picture::load("vr_data\\death.bmp");
    death_mask = Picture::load("vr_data\\death_m.bmp");
    field_picture = Picture::load("vr_data\\fld.bmp");

    for (int i = 0; i <= kLastSlot; ++i) monicon(i).set_picture(familiars(kHuman, i).picture);
    for (int i = 0; i <= kLastMagic; ++i) mgcicon(i).set_picture(magics(i).picture);

    load_screen_pictures();
}

// The pictures the screens were designed with, and the last stage's Master, loaded once.
void GameForm::load_screen_pictures() {
    master2_picture = Picture::load("vr_data\\master2.bmp");
    master2_mask = Picture::load("vr_data\\master2_m.bmp");
    title_picture = Picture::load("vr_data\\title.bmp");
    prologue_picture = Picture::load("vr_data\\prologue.bmp");
    gameover_picture = Picture::load("vr_data\\gameover.bmp");
    gameclear_picture = Picture::load("vr_data\\gameclear.bmp");
    epilogue_picture1 = Picture::load("vr_data\\epilogue1.bmp");
    epilogue_picture2 = Picture::load("vr_data\\epilogue2.bmp");
    title_pic.set_picture(title_picture);
    prologue_pic.set_picture(prologue_picture);
    gameover_pic.set_picture(gameover_picture);
    gameclear_pic.set_picture(gameclear_picture);
    epilogue_pic1.set_picture(epilogue_picture1);
    epilogue_pic2.set_picture(epilogue_picture2);
}

}  // namespace vr
