// The save file: its exact bytes, round trips, saving on the end screens, and every file a load
// must refuse without touching the game.
#include <filesystem>

#include "campaign_helpers.h"

namespace vr::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoUsableSave = "使えるセーブデータがありません";

struct RoundTripRow {
    const char* rule;
    Progress saved;
    const char* bytes;
    Progress loaded;
};
void PrintTo(const RoundTripRow& row, std::ostream* out) {
    *out << row.rule;
}

class SaveRoundTripTest : public GameTest, public ::testing::WithParamInterface<RoundTripRow> {};

TEST_P(SaveRoundTripTest, WritesTwoLinesAndLoadsTheStageFromItsStart) {
    const RoundTripRow& row = GetParam();
    begin_stage(row.saved.stage);
    form->show_screen(nullptr);
    set_progress(*form, row.saved);
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), row.bytes);
    EXPECT_EQ(visible_screen(*form), Screen::Board) << "saving changes no screen";

    // Play on elsewhere, then come back to the save.
    begin_stage(6);
    set_progress(*form, {6, 9, 11, 10, {1, 2, 3, 4, 5, 6, 0, 0, 21}});
    scene("M r0 . . b1 . . . . . . . . M");
    form->show_screen(&form->frame_epilogue);
    music.commands.clear();

    form->menu_load->click();

    EXPECT_EQ(progress_of(*form), row.loaded);
    EXPECT_EQ(visible_screen(*form), Screen::Board);
    EXPECT_EQ(field(), "M . . . . . . . . . . . . M") << "a load starts the stage from its beginning";
    EXPECT_EQ(form->active_side, kComputer);
    EXPECT_EQ(music.commands, play_commands("vr_data\\dice.mid"));
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveRoundTripTest,
                         ::testing::Values(RoundTripRow{"Stage3Example",
                                                        {3, 3, 7, 7, {12, 15, 4, 0, 0, 0, 0, 0, 31}},
                                                        "3,3,7,7\r\n12,15,4,0,0,0,0,0,31\r\n",
                                                        {3, 3, 7, 7, {12, 15, 4, 0, 0, 0, 0, 0, 31}}},
                                           RoundTripRow{"Stage8AtTheLargestValues",
                                                        {8, 12, 12, 12, {9, 9, 9, 9, 9, 9, 9, 900, 972}},
                                                        "8,12,12,12\r\n9,9,9,9,9,9,9,900,972\r\n",
                                                        {8, 12, 12, 12, {9, 9, 9, 9, 9, 9, 9, 900, 972}}},
                                           RoundTripRow{"HpZeroIsStillAUsableSave",
                                                        {4, 0, 1, 1, {5, 5, 5, 1, 0, 0, 0, 0, 16}},
                                                        "4,0,1,1\r\n5,5,5,1,0,0,0,0,16\r\n",
                                                        {4, 0, 1, 1, {5, 5, 5, 1, 0, 0, 0, 0, 16}}},
                                           RoundTripRow{"Stage1LoadsWithTheStartingValuesWhateverTheFileSays",
                                                        {1, 7, 10, 9, {5, 0, 0, 0, 0, 0, 0, 0, 5}},
                                                        "1,7,10,9\r\n5,0,0,0,0,0,0,0,5\r\n",
                                                        {1, 2, 6, 6, {5, 0, 0, 0, 0, 0, 0, 0, 5}}}),
                         [](const ::testing::TestParamInfo<RoundTripRow>& info) {
                             return std::string(info.param.rule);
                         });

using SaveFileTest = GameTest;

TEST_F(SaveFileTest, ReadingTakesNumbersSeparatedByCommasBlanksAndLineEnds) {
    write_bytes(data.path("vrdat.txt"), "5, 4 ,9\n8\r\n3 5 7\t2,6,0,0,0\n\n23");
    begin_stage(2);
    form->menu_load->click();
    EXPECT_EQ(progress_of(*form), (Progress{5, 4, 9, 8, {3, 5, 7, 2, 6, 0, 0, 0, 23}}));
}

TEST_F(SaveFileTest, TurnCountsStopAtTheirCeilingSoTheGameReadsBackWhatItWrites) {
    const std::string at_the_ceiling = "2,2,6,6\r\n32767,32767,0,0,0,0,0,0,32767\r\n";
    write_bytes(data.path("vrdat.txt"), at_the_ceiling);
    form->from_past.click();
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();
    EXPECT_EQ(form->Label4.caption(), "ステージ 2\r\n ターン 32767");
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), at_the_ceiling);

    form->menu_load->click();
    EXPECT_EQ(progress_of(*form), (Progress{2, 2, 6, 6, {32767, 32767, 0, 0, 0, 0, 0, 0, 32767}}));
    dice.script({0.0f});
    form->stage_clear();
    EXPECT_EQ(form->best_turns(2), 999) << "the most turns there are is never a record";
}

TEST_F(SaveFileTest, OnTheStageClearScreenItSavesTheNextStageAndTheGrownHeroine) {
    begin_stage(2);
    set_progress(*form, {2, 2, 7, 6, {11, 14, 0, 0, 0, 0, 0, 0, 25}});
    dice.script({0.0f});  // mp_max grows
    form->stage_clear();
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), "3,3,8,6\r\n11,14,0,0,0,0,0,0,25\r\n");
    EXPECT_EQ(visible_screen(*form), Screen::StageClear);
}

TEST_F(SaveFileTest, OnTheGameOverScreenItSavesStage1TheStartingValuesAndTheLostGamesTurns) {
    begin_stage(4);
    set_progress(*form, {4, 0, 9, 8, {10, 11, 12, 5, 0, 0, 0, 0, 38}});
    form->game_over();
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), "1,2,6,6\r\n10,11,12,5,0,0,0,0,38\r\n");
    EXPECT_EQ(visible_screen(*form), Screen::GameOver);
}

TEST_F(SaveFileTest, ASaveBeforeAnyGameKeepsTheExistingSaveAndSaysWhy) {
    const std::string good = "4,3,8,7\r\n9,9,9,2,0,0,0,0,29\r\n";
    write_bytes(data.path("vrdat.txt"), good);
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), good);
    EXPECT_EQ(form->title_message.caption(), "まだセーブできるゲームがありません");
    EXPECT_EQ(visible_screen(*form), Screen::Title);
}

TEST_F(SaveFileTest, ASaveBeforeAnyGameCreatesNoFile) {
    form->menu_save->click();
    EXPECT_FALSE(fs::exists(data.path("vrdat.txt")));
}

TEST_F(SaveFileTest, ASaveThatCannotBeWrittenSaysSoAndChangesNothingElse) {
    begin_stage(3);
    form->show_screen(nullptr);
    const Progress before{3, 3, 7, 7, {12, 15, 4, 0, 0, 0, 0, 0, 31}};
    set_progress(*form, before);
    fs::create_directory(data.path("vrdat.txt"));  // nothing can be written in its place
    music.commands.clear();
    form->menu_save->click();
    EXPECT_EQ(form->navi.caption(), "セーブできませんでした");
    EXPECT_EQ(progress_of(*form), before);
    EXPECT_EQ(visible_screen(*form), Screen::Board);
    EXPECT_TRUE(music.commands.empty());

    // Once the way is clear a save works again, and the failure notice goes.
    fs::remove(data.path("vrdat.txt"));
    form->menu_save->click();
    EXPECT_EQ(file_bytes(data.path("vrdat.txt")), "3,3,7,7\r\n12,15,4,0,0,0,0,0,31\r\n");
    EXPECT_NE(form->navi.caption(), "セーブできませんでした");
}

struct BadSaveRow {
    const char* rule;
    const char* bytes;  // nullptr: no file at all
};
void PrintTo(const BadSaveRow& row, std::ostream* out) {
    *out << row.rule;
}

class BadSaveTest : public GameTest, public ::testing::WithParamInterface<BadSaveRow> {
protected:
    void put_bad_save() {
        if (GetParam().bytes) write_bytes(data.path("vrdat.txt"), GetParam().bytes);
    }
};

TEST_P(BadSaveTest, LoadOnTheBoardLeavesTheGameAsItWasAndSaysThereIsNoUsableSave) {
    put_bad_save();
    begin_stage(3);
    form->show_screen(nullptr);
    const Progress before{3, 4, 8, 7, {12, 15, 4, 0, 0, 0, 0, 0, 31}};
    set_progress(*form, before);
    scene("M . r1 . . . b0 . . . . . . M");
    form->masters(kHuman).mp = 3;
    form->active_side = kHuman;
    music.commands.clear();

    form->menu_load->click();

    EXPECT_EQ(progress_of(*form), before);
    EXPECT_EQ(field(), "M . r1 . . . b0 . . . . . . M");
    EXPECT_EQ(form->masters(kHuman).mp, 3);
    EXPECT_EQ(form->active_side, kHuman);
    EXPECT_EQ(visible_screen(*form), Screen::Board);
    EXPECT_TRUE(music.commands.empty());
    EXPECT_EQ(form->navi.caption(), kNoUsableSave);
}

TEST_P(BadSaveTest, ContinueOnTheTitleKeepsTheTitleAndTellsThePlayerThere) {
    put_bad_save();
    form->from_past.click();
    EXPECT_EQ(visible_screen(*form), Screen::Title);
    EXPECT_EQ(form->title_message.caption(), kNoUsableSave);
    EXPECT_EQ(form->stage, 0) << "no stage was set up";
    EXPECT_TRUE(music.commands.empty());
}

TEST_P(BadSaveTest, LoadOnTheStageClearScreenKeepsTheScreenAndShowsTheNoticeOverIt) {
    put_bad_save();
    begin_stage(1);
    dice.script({0.0f});
    form->stage_clear();
    const Progress before = progress_of(*form);
    const std::string record_message = form->Label5.caption();
    music.commands.clear();

    form->menu_load->click();

    EXPECT_EQ(visible_screen(*form), Screen::StageClear);
    EXPECT_EQ(progress_of(*form), before);
    EXPECT_EQ(form->Label5.caption(), record_message);
    EXPECT_TRUE(form->screen_message.is_visible());
    EXPECT_EQ(form->screen_message.caption(), kNoUsableSave);
    EXPECT_TRUE(music.commands.empty());

    form->st_btn.click();
    EXPECT_FALSE(form->screen_message.is_visible()) << "the notice leaves with its screen";
}

INSTANTIATE_TEST_SUITE_P(
    EveryBadFile, BadSaveTest,
    ::testing::Values(BadSaveRow{"Missing", nullptr}, BadSaveRow{"Empty", ""},
                      BadSaveRow{"TruncatedInTheSecondLine", "3,3,7,7\r\n12,15,4"},
                      BadSaveRow{"TruncatedAfterTheFirstLine", "3,3,7,7\r\n"},
                      BadSaveRow{"GarbledNumber", "3,3,x,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"NumberBeyond16Bits", "3,3,7,7\r\n12,15,70000,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"Stage0AsASaveBeforeAnyGameWroteIt", "0,0,0,0\r\n0,0,0,0,0,0,0,0,0\r\n"},
                      BadSaveRow{"Stage9", "9,3,7,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"HpBelow0", "3,-1,7,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"HpAbove12", "3,13,7,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"MpMax0", "3,3,0,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"MpMaxAbove12", "3,3,13,7\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"MvMax0", "3,3,7,0\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"MvMaxAbove12", "3,3,7,13\r\n12,15,4,0,0,0,0,0,31\r\n"},
                      BadSaveRow{"NegativeTurnCount", "3,3,7,7\r\n12,-15,4,0,0,0,0,0,31\r\n"}),
    [](const ::testing::TestParamInfo<BadSaveRow>& info) { return std::string(info.param.rule); });

TEST_F(SaveFileTest, AnUnreadableSaveIsNoUsableSave) {
    fs::create_directory(data.path("vrdat.txt"));
    form->from_past.click();
    EXPECT_EQ(visible_screen(*form), Screen::Title);
    EXPECT_EQ(form->title_message.caption(), kNoUsableSave);
}

}  // namespace
}  // namespace vr::test
