// The window's size: the menu 画面サイズ, the choice made at the first start from the screen at
// hand, and the player's own choice kept for the next start.
#include "app/game_form.h"
#include "platform/files/settings.h"

namespace vr {

namespace {

constexpr const char* kScaleKey = "window/scale";

}  // namespace

void GameForm::restore_window_scale() {
    const int stored = read_setting(kScaleKey, 0);
    if (stored >= kSmallestScale && stored <= kLargestScale) {
        set_window_scale(stored);
        return;
    }
    // Not stored until the player picks one: on a larger screen next time the window grows.
    set_window_scale(largest_fitting_scale(available_screen_size(), client_size(),
                                           [this](int scale) { return menu_bar_height(scale); }));
}

void GameForm::set_window_scale(int scale) {
    set_scale(scale);
    for (int n = kSmallestScale; n <= kLargestScale; ++n) menu_scale(n)->set_checked(n == scale);
}

void GameForm::menu_scale_Click(int scale) {
    set_window_scale(scale);
    write_setting(kScaleKey, scale);
}

}  // namespace vr
