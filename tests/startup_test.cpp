// Start-up: the window, the title screen, the catalogue and the icon strips after Form_Load.
#include <filesystem>

#include "game_fixture.h"

namespace vr::test {
namespace {

using StartupTest = GameTest;

TEST_F(StartupTest, OnlyTheTitleScreenShowsAndNaviAsksForTheStartButton) {
    EXPECT_TRUE(form->frame_title.is_visible());
    for (Frame* screen : {&form->frame_gameclear, &form->frame_gameover, &form->frame_stageclear,
                          &form->frame_epilogue, &form->frame_prologue}) {
        EXPECT_FALSE(screen->is_visible()) << screen->caption();
        EXPECT_EQ(screen->pos(), QPoint(0, 0)) << screen->caption();
    }
    EXPECT_EQ(form->navi.caption(), "開始ボタンを押してください");
    EXPECT_EQ(form->stage, 0);
    EXPECT_TRUE(music.commands.empty()) << "no music plays before the player leaves the title";
    EXPECT_FALSE(form->miditimer.enabled());
    EXPECT_TRUE(form->menu_bgm_on_off->checked());
}

TEST_F(StartupTest, TheWindowShowsTheDesktopIconTheBuildDrew) {
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
}

TEST_F(StartupTest, IconStripsShowTheRedPicturesAndTheMagicsInOrder) {
    EXPECT_EQ(form->monicon(0).picture().source(), "vr_data\\r-skl.bmp");
    EXPECT_EQ(form->monicon(9).picture().source(), "vr_data\\r-drgn.bmp");
    for (int i = 0; i <= kLastSlot; ++i) EXPECT_EQ(form->monicon(i).picture().source()[8], 'r') << i;
    EXPECT_EQ(form->mgcicon(7).picture().source(), "vr_data\\meteor.bmp");
}

TEST_F(StartupTest, BoardControlsStandWhereTheBoardPutsThem) {
    struct Expected {
        QWidget* control;
        QRect box;
    };
    const Expected expected[] = {
        {&form->fld, {8, 0, 448, 40}},           {&form->Frame1(1), {8, 48, 89, 65}},
        {&form->DataFrame, {104, 48, 257, 129}}, {&form->Frame1(2), {368, 48, 89, 65}},
        {&form->buttonmove, {8, 120, 41, 25}},   {&form->buttonsummon, {56, 120, 41, 25}},
        {&form->buttonmagic, {8, 152, 41, 25}},  {&form->buttonturn_end, {56, 152, 41, 25}},
        {&form->Label4, {368, 120, 89, 25}},     {&form->gameend, {368, 152, 89, 25}},
        {&form->monicon(3), {128, 200, 33, 33}}, {&form->mgcicon(7), {288, 240, 33, 33}},
        {&form->mashp(2), {8, 32, 21, 21}},      {&form->masmv(1), {56, 32, 21, 21}},
        {&form->data_text, {8, 56, 241, 65}},    {&form->atkdice, {120, 32, 21, 21}},
    };
    for (const auto& [control, box] : expected)
        EXPECT_EQ(control->geometry(), box) << control->metaObject()->className();
    EXPECT_EQ(form->client()->size(), QSize(465, 279));
    EXPECT_EQ(form->Frame1(1).caption(), "ロッタ");
    EXPECT_EQ(form->Frame1(2).caption(), "マスター２");
}

TEST(StartupFailure, AMissingPictureStopsStartUpNamingTheFile) {
    ScratchDataDir data;
    std::filesystem::remove(data.path("r-gob_m.bmp"));
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
    GameForm form({pause, dice, music});
    try {
        form.Form_Load();
        FAIL() << "start-up went on without a picture";
    } catch (const StartupError& error) {
        EXPECT_NE(std::string(error.what()).find("r-gob_m.bmp"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace vr::test
