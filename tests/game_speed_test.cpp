// The game speed: the real pause waits the rules' duration divided by the chosen factor, the menu
// keeps one choice checked, and the choice (not the BGM mark) is kept for the next start.
#include <QElapsedTimer>

#include "game_fixture.h"
#include "platform/files/settings.h"

namespace vr::test {
namespace {

TEST(GameSpeed, TheRealPauseWaitsTheScaledDuration) {
    constexpr int kAsked = 400;
    QtPause pause;
    for (int divisor : {1, 2, 4}) {
        pause.set_speed_divisor(divisor);
        QElapsedTimer clock;
        clock.start();
        pause.sleep(kAsked);
        const int waited = static_cast<int>(clock.elapsed());
        EXPECT_GE(waited, kAsked / divisor - 1) << "divisor " << divisor;
        EXPECT_LT(waited, 2 * kAsked / divisor - 5) << "divisor " << divisor;
    }
}

TEST(GameSpeed, TheChosenSpeedIsCheckedAppliedAndKeptForTheNextStart) {
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
    const auto start = [&] { return std::make_unique<GameForm>(GameServices{pause, dice, music}); };
    const auto checks = [](GameForm& form) {
        std::string marks;
        for (int i = 0; i <= 2; ++i) marks += form.menu_speed(i)->checked() ? 'x' : '-';
        return marks;
    };
    const char* const kChecks[] = {"x--", "-x-", "--x"};
    write_setting("game/speed", 1);
    auto form = start();
    EXPECT_EQ(checks(*form), "x--");
    for (int index : {1, 2, 0}) {
        form->menu_speed(index)->click();
        EXPECT_EQ(checks(*form), kChecks[index]);
        EXPECT_EQ(pause.speed_divisor(), 1 << index);
        pause.set_speed_divisor(0);
        EXPECT_EQ(checks(*start()), kChecks[index]) << "the next start";
        EXPECT_EQ(pause.speed_divisor(), 1 << index);
    }
    form->menu_bgm_on_off->click();
    EXPECT_TRUE(start()->menu_bgm_on_off->checked()) << "the music is on at every start";
    for (int stored : {3, 0, -4}) {
        write_setting("game/speed", stored);
        EXPECT_EQ(checks(*start()), "x--") << "a stored " << stored << " plays at the game's own pace";
    }
    write_setting("game/speed", 1);
}

}  // namespace
}  // namespace vr::test
