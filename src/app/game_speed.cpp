// The game speed of the menu 速度: every pause of the game is shortened by the same factor, and
// the choice is kept for the next start.
#include "app/game_form.h"
#include "platform/files/settings.h"

namespace vr {

namespace {

constexpr const char* kSpeedSetting = "game/speed";
// The pause divisor of ふつう, はやい and とてもはやい; the setting stores the divisor.
constexpr int kSpeedDivisors[] = {1, 2, 4};
constexpr int kSpeedCount = decltype(GameForm::menu_speed)::kHi + 1;

}  // namespace

void GameForm::load_speed_setting() {
    const int stored = read_setting(kSpeedSetting, kSpeedDivisors[0]);
    int index = 0;
    for (int i = 0; i < kSpeedCount; ++i) {
        if (kSpeedDivisors[i] == stored) index = i;
    }
    for (int i = 0; i < kSpeedCount; ++i) menu_speed(i)->set_checked(i == index);
    pause.set_speed_divisor(kSpeedDivisors[index]);
}

void GameForm::menu_speed_Click(int index) {
    for (int i = 0; i < kSpeedCount; ++i) menu_speed(i)->set_checked(i == index);
    pause.set_speed_divisor(kSpeedDivisors[index]);
    write_setting(kSpeedSetting, kSpeedDivisors[index]);
}

}  // namespace vr
