// Start-up: the window, the title screen, the catalogue and the icon strips after Form_Load.
#include <QCoreApplication>
#include <QTemporaryFile>
#include <filesystem>
#include <fstream>

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

TEST_F(StartupTest, TheWindowShowsTheDesktopIconTheBuildDrewOnceTheTitleHasPainted) {
    EXPECT_TRUE(form->windowIcon().availableSizes().isEmpty()) << "no icon is decoded before the title";
    form->show_painted();
    QCoreApplication::processEvents();
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(128, 128)));
    EXPECT_FALSE(sizes.contains(QSize(256, 256))) << "launchers read the larger sizes from the theme";
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

TEST(StartupFailure, AMissingOrDamagedPictureStopsStartUpNamingTheFile) {
    namespace fs = std::filesystem;
    const struct {
        const char* file;
        const char* stand_in;  // copied over it; nullptr removes it, "" cuts it in half
        const char* said;      // besides the file's name
    } rows[] = {
        {"r-gob_m.bmp", nullptr, "cannot read"},
        {"fld.bmp", "", "26907 of 53814 bytes"},
        {"fld.bmp", "d3.bmp", "is 21 x 21 pixels; the game draws it at 448 x 40"},
        {"prologue.bmp", "gameover.bmp", "is 320 x 160 pixels; the game draws it at 160 x 120"},
    };
    for (const auto& row : rows) {
        ScratchDataDir data;
        const std::string path = data.path(row.file);
        if (!row.stand_in)
            fs::remove(path);
        else if (*row.stand_in == 0)
            fs::resize_file(path, fs::file_size(path) / 2);
        else
            fs::copy_file(data.path(row.stand_in), path, fs::copy_options::overwrite_existing);
        InstantPause pause;
        ScriptedRandom dice;
        RecordingMusicDevice music;
        GameForm form({pause, dice, music});
        try {
            form.Form_Load();
            ADD_FAILURE() << "start-up went on with a damaged " << row.file;
        } catch (const StartupError& error) {
            EXPECT_NE(std::string(error.what()).find(row.file), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(row.said), std::string::npos) << error.what();
        }
    }
}

TEST(StartupCleanup, OnlyTheLeftoversOfKilledSavesAndRecordUpdatesGo) {
    ScratchDataDir data;
    // The atomic write's own naming engine makes the name a killed save leaves.
    QTemporaryFile killed_save(QString::fromStdString(data.path("vrdat.txt.XXXXXX")));
    killed_save.setAutoRemove(false);
    ASSERT_TRUE(killed_save.open());
    const std::vector<std::string> leftovers = {killed_save.fileName().toStdString(),
                                                data.path("vrrec.txt.QWErty")};
    const std::vector<std::string> kept = {"vrdat.txt", "vrdat.txt.AbCdE", "vrdat.txt.AbCdEfG",
                                           "vrdat.txt.AbC1Ef", "other.txt.AbCdEf"};
    for (const std::string& name : kept) std::ofstream(data.path(name)) << "1";
    std::ofstream(leftovers[1]) << "1";
    std::filesystem::create_directory(data.path("vrrec.txt.ZZZZZZ"));  // only plain files go
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
    GameForm({pause, dice, music}).Form_Load();
    for (const std::string& path : leftovers) EXPECT_FALSE(std::filesystem::exists(path)) << path;
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(data.path(name))) << name;
    EXPECT_TRUE(std::filesystem::exists(data.path("vrrec.txt.ZZZZZZ")));
}

}  // namespace
}  // namespace vr::test
