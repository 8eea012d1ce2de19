// Keyboard play: each key does what a click on the matching control does, through the same
// handler, and only where that click could land on the screen shown. Keys add no rules.
#include <algorithm>
#include <string_view>

#include "app/game_form.h"
#include "platform/window/keys.h"

namespace vr {

namespace {

constexpr int kLeftButton = 1;
constexpr int kFieldHeight = 40;
// A press "at a square" lands where a player aims: the middle of the square's sprite band.
constexpr float kBandMiddle = kSpriteTop + kSquareWidth / 2.0f;
constexpr float kIconMiddle = 16;
// The enemy Master's square is the last a Familiar can be sent to; square 0 never is.
constexpr int kLastKeySquare = kComputerHome;

// Familiar icons 0..9 by the digit row 1..9, 0; Magic icons 0..7 by the letter row under it.
constexpr std::string_view kFamiliarKeys = "1234567890";
constexpr std::string_view kMagicKeys = "QWERTYUI";

float square_middle(int square) {
    return static_cast<float>(square * kSquareWidth) + kSquareWidth / 2.0f;
}

// The icon a key stands for in `keys`, or -1.
int icon_of(std::string_view keys, int key) {
    const size_t at = key < 0x80 ? keys.find(static_cast<char>(key)) : std::string_view::npos;
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void press(CommandButton& button) {
    if (button.on_click) button.on_click();
}

}  // namespace

CommandButton* GameForm::key_button(int key) {
    if (key == 'M' && reachable(buttonmove)) return &buttonmove;
    if (key == 'S' && reachable(buttonsummon)) return &buttonsummon;
    if (key == 'G' && reachable(buttonmagic)) return &buttonmagic;
    if (key == kKeyEnter && key_cursor_shown && reachable(fld)) return nullptr;
    if (key != kKeyEnter && key != kKeySpace) return nullptr;
    // What Enter and Space press when no button has the focus: the turn button on the board, the
    // button that leads on elsewhere. Only the shown screen's one is reachable.
    CommandButton* const defaults[] = {&buttonturn_end, &from_first, &start,     &to_title_0,
                                       &to_title_1,     &st_btn,     &gameclear2};
    for (CommandButton* button : defaults) {
        if (reachable(*button)) return button;
    }
    return nullptr;
}

bool GameForm::Form_KeyDown(int key) {
    if (CommandButton* button = key_button(key)) {
        press(*button);
        return true;
    }
    if (!reachable(fld)) return false;
    if (key == kKeyLeft || key == kKeyRight) {
        move_key_cursor(key == kKeyLeft ? -1 : +1);
        return true;
    }
    if (key == kKeyEnter && key_cursor_shown) {
        fld_MouseDown(kLeftButton, 0, square_middle(key_square), kBandMiddle);
        return true;
    }
    if (key == kKeyEscape) {
        cancel_command();
        return true;
    }
    // The pointer passes over an icon before it presses it.
    if (const int slot = icon_of(kFamiliarKeys, key); slot >= 0 && reachable(monicon(slot))) {
        monicon_MouseMove(slot, 0, 0, kIconMiddle, kIconMiddle);
        monicon_MouseDown(slot, kLeftButton, 0, kIconMiddle, kIconMiddle);
        return true;
    }
    if (const int magic = icon_of(kMagicKeys, key); magic >= 0 && reachable(mgcicon(magic))) {
        mgcicon_MouseMove(magic, 0, 0, kIconMiddle, kIconMiddle);
        mgcicon_MouseDown(magic, kLeftButton, 0, kIconMiddle, kIconMiddle);
        return true;
    }
    return false;
}

void GameForm::move_key_cursor(int step) {
    if (key_cursor_shown) {
        key_square = static_cast<int16_t>(std::clamp(key_square + step, kFirstFieldSquare, kLastKeySquare));
    }
    key_cursor_shown = true;
    fld.set_key_cursor(key_square * kSquareWidth, 0, kSquareWidth, kFieldHeight);
    // As the pointer moving there: the info panel shows the Familiar under the cursor.
    fld_MouseMove(0, 0, square_middle(key_square), kBandMiddle);
}

void GameForm::hide_key_cursor() {
    key_cursor_shown = false;
    fld.clear_key_cursor();
}

void GameForm::cancel_command() {
    hide_key_cursor();
    // Before the first turn and during the computer's there is no command to cancel.
    if (active_side != kHuman || computer_thinking) return;
    draw_field(0, 0, 0, 0);
    reset_icon_strips();
    ActionMode.clear();
    navi.set_caption(kChooseAction);
}

void GameForm::show_key_tooltips() {
    buttonmove.set_tooltip(VR_TEXT("Board", "キー: M"));
    buttonsummon.set_tooltip(VR_TEXT("Board", "キー: S"));
    buttonmagic.set_tooltip(VR_TEXT("Board", "キー: G"));
    buttonturn_end.set_tooltip(VR_TEXT("Board", "キー: Space（フィールドのカーソルがないときは Enter も）"));
    for (CommandButton* button : {&from_first, &start, &to_title_0, &to_title_1, &st_btn, &gameclear2})
        button->set_tooltip(VR_TEXT("Board", "キー: Enter / Space"));
}

}  // namespace vr
