// The music's command texts, the timer that loops a piece, and the BGM switch.
#include "game_fixture.h"
#include "platform/files/paths.h"

namespace vr::test {
namespace {

class BackgroundMusicTest : public GameTest {
protected:
    std::string open_command(const std::string& file) {
        return "open " + program_directory() + "\\" + file + " alias bgmfile ";
    }
};

TEST_F(BackgroundMusicTest, PlayingAPieceStopsClosesAndOpensWithoutStartingIt) {
    form->play_bgm("vr_data\\dice.mid");
    EXPECT_EQ(music.commands, (std::vector<std::string>{"stop bgmfile ", "close bgmfile ",
                                                        open_command("vr_data\\dice.mid")}));
    EXPECT_TRUE(form->miditimer.enabled()) << "the first tick starts the piece";
}

TEST_F(BackgroundMusicTest, TheTickRestartsAStoppedPieceAndLeavesAPlayingOneAlone) {
    form->play_bgm("vr_data\\nextmap.mid");
    music.commands.clear();
    music.mode = "stopped";
    form->miditimer_Timer();
    EXPECT_EQ(music.commands, (std::vector<std::string>{"status bgmfile mode", "seek bgmfile to start",
                                                        "play bgmfile notify"}));
    EXPECT_TRUE(form->miditimer.enabled());

    for (const char* mode : {"playing", "", "stop", "paused"}) {
        music.commands.clear();
        music.mode = mode;
        form->miditimer_Timer();
        EXPECT_EQ(music.commands, std::vector<std::string>{"status bgmfile mode"}) << mode;
    }
    music.commands.clear();
    music.mode = "STOPPED and more";
    form->miditimer_Timer();
    EXPECT_EQ(music.commands.size(), 3u) << "only the first seven characters count, in any case";
}

TEST_F(BackgroundMusicTest, TheSwitchStopsTheMusicAndLetsTheNextTickReplayIt) {
    form->play_bgm("vr_data\\dice.mid");
    music.commands.clear();
    form->menu_bgm_on_off->click();
    EXPECT_FALSE(form->menu_bgm_on_off->checked());
    EXPECT_FALSE(form->miditimer.enabled());
    EXPECT_EQ(music.commands, std::vector<std::string>{"stop bgmfile "});

    music.commands.clear();
    form->play_bgm("vr_data\\gameover.mid");
    EXPECT_FALSE(form->miditimer.enabled()) << "with the music off a new piece is opened but not started";

    form->menu_bgm_on_off->click();
    EXPECT_TRUE(form->menu_bgm_on_off->checked());
    EXPECT_TRUE(form->miditimer.enabled());
    EXPECT_EQ(music.commands.size(), 3u) << "switching on sends nothing itself";
}

TEST_F(BackgroundMusicTest, ClosingTheWindowStopsAndClosesTheDevice) {
    form->play_bgm("vr_data\\clear.mid");
    music.commands.clear();
    form->Form_QueryUnload();
    EXPECT_EQ(music.commands, (std::vector<std::string>{"stop bgmfile ", "close bgmfile wait"}));
    EXPECT_FALSE(form->miditimer.enabled());
}

}  // namespace
}  // namespace vr::test
