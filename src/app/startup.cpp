// Start-up: the screens laid over the board, the records, the catalogue and every picture.
#include "app/game_form.h"
#include "platform/files/paths.h"
#include "platform/files/record_file.h"

namespace vr {

namespace {

// Each picture's size is the size the board or its screen draws it at.
constexpr PictureSize kMarkSize{16, 28};  // hit and fall marks, at (32 * s + 8, 12)
constexpr PictureSize kFieldSize{448, 40};
constexpr PictureSize kSpriteSize{kSquareWidth, kSquareWidth};  // the last Master
constexpr PictureSize kTitleSize{465, 279};
constexpr PictureSize kPrologueSize{160, 120};
constexpr PictureSize kEndScreenSize{320, 160};  // game over and game clear
constexpr PictureSize kEpilogueSize{96, 96};

}  // namespace

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

    navi.set_caption(kPressStart);

    random.randomize();

    // The title screen is complete with its own picture; the rest loads while it is on show, the
    // records (shown only in a menu) among it.
    title_picture = Picture::load("vr_data\\title.bmp", kTitleSize, Picture::Keep::Ready);
    title_pic.set_picture(title_picture);
    if (on_title_ready) on_title_ready();

    // A copy killed while saving leaves its half-written temporary file; nothing else removes it.
    remove_interrupted_writes(player_directory());
    load_records();

    load_catalogue();

    attack_picture = Picture::load("vr_data\\attack.bmp", kMarkSize);
    attack_mask = Picture::load("vr_data\\attack_m.bmp", kMarkSize);
    death_picture = Picture::load("vr_data\\death.bmp", kMarkSize);
    death_mask = Picture::load("vr_data\\death_m.bmp", kMarkSize);
    field_picture = Picture::load("vr_data\\fld.bmp", kFieldSize);

    for (int i = 0; i <= kLastSlot; ++i) monicon(i).set_picture(familiars(kHuman, i).picture);
    for (int i = 0; i <= kLastMagic; ++i) mgcicon(i).set_picture(magics(i).picture);

    load_screen_pictures();
}

// The pictures the other screens were designed with, and the last stage's Master, loaded once.
void GameForm::load_screen_pictures() {
    master2_picture = Picture::load("vr_data\\master2.bmp", kSpriteSize);
    master2_mask = Picture::load("vr_data\\master2_m.bmp", kSpriteSize);
    prologue_picture = Picture::load("vr_data\\prologue.bmp", kPrologueSize);
    gameover_picture = Picture::load("vr_data\\gameover.bmp", kEndScreenSize);
    gameclear_picture = Picture::load("vr_data\\gameclear.bmp", kEndScreenSize);
    epilogue_picture1 = Picture::load("vr_data\\epilogue1.bmp", kEpilogueSize);
    epilogue_picture2 = Picture::load("vr_data\\epilogue2.bmp", kEpilogueSize);
    prologue_pic.set_picture(prologue_picture);
    gameover_pic.set_picture(gameover_picture);
    gameclear_pic.set_picture(gameclear_picture);
    epilogue_pic1.set_picture(epilogue_picture1);
    epilogue_pic2.set_picture(epilogue_picture2);
}

}  // namespace vr
