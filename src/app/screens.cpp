// Moving between the screens, and the menu items that do so. A screen change only shows one
// panel over the board; starting a game also sets up its first stage.
#include "app/game_form.h"

namespace vr {

void GameForm::show_screen(Frame* screen) {
    // Every screen starts without Tab focus, so Enter and Space press its own leading button,
    // never one the focus passed to on the way.
    drop_focus();
    Frame* const screens[] = {&frame_title,     &frame_prologue,   &frame_gameover,
                              &frame_gameclear, &frame_stageclear, &frame_epilogue};
    for (Frame* each : screens) each->set_visible(each == screen);
    // A notice about a load or save belongs to the screen it was given on.
    screen_message.set_visible(false);
}

// Keys and later features can reach the board's handlers whatever is shown; they act only on a
// stage the player can see.
bool GameForm::board_in_play() const {
    if (stage < 1 || active_side < kHuman || active_side > kComputer) return false;
    const Frame* const screens[] = {&frame_title,     &frame_prologue,   &frame_gameover,
                                    &frame_gameclear, &frame_stageclear, &frame_epilogue};
    for (const Frame* each : screens) {
        if (each->is_visible()) return false;
    }
    return true;
}

// Each screen's buttons act only while their screen is shown.
void GameForm::from_first_Click() {
    if (!frame_title.is_visible()) return;
    show_screen(&frame_prologue);
}

void GameForm::from_past_Click() {
    if (!frame_title.is_visible()) return;
    // The load hides the panels itself, and only once it knows the save is usable, so a bad
    // save leaves the title standing with its notice.
    menu_load_Click();
}

void GameForm::start_Click() {
    if (!frame_prologue.is_visible()) return;
    show_screen(nullptr);
    play_bgm("vr_data\\dice.mid");
    active_side = kComputer;
    stage = 1;
    for (int n = 1; n <= kTotalTurnsIndex; ++n) stage_turns(n) = 0;
    stage_setup();
    show_familiar_info(kHuman, kFirstSlot);
    draw_field(0, 0, 0, 0);
}

void GameForm::to_title_Click(int) {
    if (!frame_gameover.is_visible() && !frame_gameclear.is_visible()) return;
    show_screen(&frame_title);
    title_message.set_caption("");
    mciSendString("stop bgmfile ");
    miditimer.set_enabled(false);
}

void GameForm::menu_totitle_Click() {
    mciSendString("stop bgmfile ");
    miditimer.set_enabled(false);
    show_screen(&frame_title);
    title_message.set_caption("");
}

void GameForm::menu_gameend_Click() {
    close();
}

void GameForm::gameend_Click() {
    close();
}

}  // namespace vr
