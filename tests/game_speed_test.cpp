// The game speed: the real pause waits the rules' duration divided by the chosen factor, the menu
// keeps one choice checked, and the choice (not the BGM mark) is kept for the next start.
#include <QElapsedTimer>

#include "game_fixture.h"
#include "platform/settings.h"

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
        const int expected = kAsked / divisor;
        EXPECT_GE(waited, expected - 1) << "divisor " << divisor;
        EXPECT_LT(waited, 2 * expected - 5) << "divisor " << divisor;
    }
}

class GameSpeedTest : public ::testing::Test {
protected:
    ~GameSpeedTest() override { write_setting("game/speed", 1); }
    // A window as the next start would build it.
    std::unique_ptr<GameForm> start() { return std::make_unique<GameForm>(GameServices{pause, dice, music}); }
    std::vector<bool> checks(GameForm& form) {
        return {form.menu_speed(0)->checked(), form.menu_speed(1)->checked(), form.menu_speed(2)->checked()};
    }
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
};

TEST_F(GameSpeedTest, TheChosenSpeedIsCheckedAppliedAndKeptForTheNextStart) {
    const struct {
        int index, divisor;
        std::vector<bool> checked;
    } rows[] = {{1, 2, {false, true, false}}, {2, 4, {false, false, true}}, {0, 1, {true, false, false}}};
    write_setting("game/speed", 1);
    auto form = start();
    EXPECT_EQ(checks(*form), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(pause.speed_divisor(), 1);
    for (const auto& row : rows) {
        form->menu_speed(row.index)->click();
        EXPECT_EQ(checks(*form), row.checked);
        EXPECT_EQ(pause.speed_divisor(), row.divisor);
        pause.set_speed_divisor(0);
        EXPECT_EQ(checks(*start()), row.checked) << "the next start, speed " << row.index;
        EXPECT_EQ(pause.speed_divisor(), row.divisor);
    }
    form->menu_bgm_on_off->click();
    EXPECT_TRUE(start()->menu_bgm_on_off->checked()) << "the music starts on at every start";
    for (int stored : {3, 0, -4}) {
        write_setting("game/speed", stored);
        EXPECT_EQ(checks(*start()), (std::vector<bool>{true, false, false})) << "stored " << stored;
        EXPECT_EQ(pause.speed_divisor(), 1);
    }
}

}  // namespace
}  // namespace vr::test
