// The screen flow: every event from every screen, with the panel it shows, the music it sends and
// what it does to the game in memory.
#include <cmath>
#include <functional>
#include <limits>

#include "campaign_helpers.h"

namespace vr::test {
namespace {

enum class Music { Unchanged, Dice, Clear, Stopped, Closed };
enum class Effect { Kept, NewCampaign, SavedStage, TurnsCleared };

struct FlowRow {
    const char* rule;
    Screen from;
    std::function<void(GameForm&)> event;
    Screen to;  // Board also for the closed window, which shows nothing at all
    Music music;
    Effect effect;
};
void PrintTo(const FlowRow& row, std::ostream* out) {
    *out << row.rule;
}

// The game in memory before each event: stage 3 under way, a grown heroine, some turns played.
const Progress kBefore{3, 5, 8, 7, {4, 6, 2, 0, 0, 0, 0, 0, 12}};
const std::string kSaveText = "6,4,9,8\r\n3,5,7,2,6,1,0,0,24\r\n";
const Progress kSaved{6, 4, 9, 8, {3, 5, 7, 2, 6, 1, 0, 0, 24}};

void click_from_first(GameForm& f) {
    f.from_first.click();
}
void click_from_past(GameForm& f) {
    f.from_past.click();
}
void click_start(GameForm& f) {
    f.start.click();
}
void click_next_stage(GameForm& f) {
    f.st_btn.click();
}
void click_epilogue_next(GameForm& f) {
    f.gameclear2.click();
}
void click_to_title_0(GameForm& f) {
    f.to_title(0).click();
}
void click_to_title_1(GameForm& f) {
    f.to_title(1).click();
}
void menu_to_title(GameForm& f) {
    f.menu_totitle->click();
}
void menu_load(GameForm& f) {
    f.menu_load->click();
}
void menu_game_end(GameForm& f) {
    f.menu_gameend->click();
}
void click_game_end(GameForm& f) {
    f.gameend.click();
}
void close_box(GameForm& f) {
    f.close();
}

// Every press the board takes, and pointing with coordinates no mouse gives.
void press_the_whole_board(GameForm& f) {
    f.buttonturn_end_Click();
    f.buttonmove_Click();
    f.buttonsummon_Click();
    f.buttonmagic_Click();
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) f.monicon_MouseDown(slot, 1, 0, 16, 16);
    for (int magic = kFirstMagic; magic <= kLastMagic; ++magic) f.mgcicon_MouseDown(magic, 1, 0, 16, 16);
    const float inf = std::numeric_limits<float>::infinity();
    for (float x : {std::nanf(""), inf, -inf, 1e12f, -1e12f, 48.0f, 400.0f}) {
        f.fld_MouseDown(1, 0, x, 24);
        f.fld_MouseMove(0, 0, x, 24);
    }
}

// As a key or a later feature might reach them: each answers only on its own screen.
void press_every_screen_button(GameForm& f) {
    f.from_first_Click();
    f.from_past_Click();
    f.start_Click();
    f.st_btn_Click();
    f.gameclear2_Click();
    f.to_title_Click(0);
    f.to_title_Click(1);
}

std::vector<FlowRow> flow_rows() {
    std::vector<FlowRow> rows = {
        {"TitleFirstShowsPrologueAndLeavesMusicAndGameAlone", Screen::Title, click_from_first,
         Screen::Prologue, Music::Unchanged, Effect::Kept},
        {"PrologueStartBeginsStage1AfreshWithStageMusic", Screen::Prologue, click_start, Screen::Board,
         Music::Dice, Effect::NewCampaign},
        {"TitleContinueBeginsTheSavedStageWithStageMusic", Screen::Title, click_from_past, Screen::Board,
         Music::Dice, Effect::SavedStage},
        {"StageClearNextLiftsTheScreenOntoTheReadyStage", Screen::StageClear, click_next_stage, Screen::Board,
         Music::Dice, Effect::Kept},
        {"EpilogueNextShowsGameClearWithItsMusicAndClearsTheTurns", Screen::Epilogue, click_epilogue_next,
         Screen::GameClear, Music::Clear, Effect::TurnsCleared},
        {"GameOverBackToTitleStopsTheMusic", Screen::GameOver, click_to_title_0, Screen::Title,
         Music::Stopped, Effect::Kept},
        {"GameClearBackToTitleStopsTheMusic", Screen::GameClear, click_to_title_1, Screen::Title,
         Music::Stopped, Effect::Kept},
        {"GameEndButtonClosesTheWindowAndTheMusic", Screen::Board, click_game_end, Screen::Board,
         Music::Closed, Effect::Kept},
        {"MenuGameEndClosesTheWindowAndTheMusic", Screen::Title, menu_game_end, Screen::Board, Music::Closed,
         Effect::Kept},
        {"CloseBoxClosesTheWindowAndTheMusic", Screen::StageClear, close_box, Screen::Board, Music::Closed,
         Effect::Kept},
        {"ScreenButtonsOffTheirScreensDoNothing", Screen::Board, press_every_screen_button, Screen::Board,
         Music::Unchanged, Effect::Kept},
    };
    const std::pair<Screen, const char*> everywhere[] = {
        {Screen::Board, "Board"},       {Screen::Title, "Title"},         {Screen::Prologue, "Prologue"},
        {Screen::GameOver, "GameOver"}, {Screen::GameClear, "GameClear"}, {Screen::StageClear, "StageClear"},
        {Screen::Epilogue, "Epilogue"},
    };
    static std::vector<std::string> names;  // the rows keep pointers into it
    names.reserve(3 * std::size(everywhere));
    for (const auto& [screen, name] : everywhere) {
        names.push_back(std::string("MenuTitleFrom") + name + "StopsMusicAndKeepsTheGame");
        rows.push_back(
            {names.back().c_str(), screen, menu_to_title, Screen::Title, Music::Stopped, Effect::Kept});
        names.push_back(std::string("MenuLoadFrom") + name + "BeginsTheSavedStage");
        rows.push_back(
            {names.back().c_str(), screen, menu_load, Screen::Board, Music::Dice, Effect::SavedStage});
        if (screen == Screen::Board) continue;
        names.push_back(std::string("BoardUnder") + name + "DoesNothing");
        rows.push_back(
            {names.back().c_str(), screen, press_the_whole_board, screen, Music::Unchanged, Effect::Kept});
    }
    return rows;
}

class ScreenFlowTest : public GameTest, public ::testing::WithParamInterface<FlowRow> {};

TEST_P(ScreenFlowTest, EventFromScreen) {
    const FlowRow& row = GetParam();
    write_bytes(data.path("vrdat.txt"), kSaveText);
    begin_stage(kBefore.stage);
    set_progress(*form, kBefore);
    form->show_screen(panel_of(*form, row.from));
    form->show();
    // As if a piece were playing, so that "unchanged" can be told apart from "stopped".
    form->miditimer.set_enabled(true);
    music.commands.clear();

    row.event(*form);

    if (row.music == Music::Closed) {
        EXPECT_FALSE(form->isVisible()) << "the window stays open";
    } else {
        EXPECT_EQ(visible_screen(*form), row.to);
    }

    std::vector<std::string> expected_music;
    switch (row.music) {
        case Music::Unchanged:
            break;
        case Music::Dice:
            expected_music = play_commands("vr_data\\dice.mid");
            break;
        case Music::Clear:
            expected_music = play_commands("vr_data\\clear.mid");
            break;
        case Music::Stopped:
            expected_music = {"stop bgmfile "};
            break;
        case Music::Closed:
            expected_music = {"stop bgmfile ", "close bgmfile wait"};
            break;
    }
    EXPECT_EQ(music.commands, expected_music);
    const bool playing =
        row.music == Music::Unchanged || row.music == Music::Dice || row.music == Music::Clear;
    EXPECT_EQ(form->miditimer.enabled(), playing);

    switch (row.effect) {
        case Effect::Kept:
            EXPECT_EQ(progress_of(*form), kBefore);
            break;
        case Effect::NewCampaign:
            EXPECT_EQ(progress_of(*form), (Progress{1, 2, 6, 6, std::vector<int>(kTotalTurnsIndex, 0)}));
            break;
        case Effect::SavedStage:
            EXPECT_EQ(progress_of(*form), kSaved);
            break;
        case Effect::TurnsCleared: {
            Progress cleared = kBefore;
            cleared.turns.assign(kTotalTurnsIndex, 0);
            EXPECT_EQ(progress_of(*form), cleared);
            break;
        }
    }
    if (row.effect == Effect::NewCampaign || row.effect == Effect::SavedStage) {
        EXPECT_EQ(form->active_side, kComputer) << "the first press of the turn button opens side 1's turn";
        EXPECT_EQ(form->buttonturn_end.caption(), "開始");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryEvent, ScreenFlowTest, ::testing::ValuesIn(flow_rows()),
                         [](const ::testing::TestParamInfo<FlowRow>& info) {
                             return std::string(info.param.rule);
                         });

using ScreensTest = GameTest;

TEST_F(ScreensTest, BeforeAnyGameTheBoardDoesNothingOnAnyScreen) {
    for (Screen screen : {Screen::Board, Screen::Title, Screen::Prologue, Screen::GameOver, Screen::GameClear,
                          Screen::StageClear, Screen::Epilogue}) {
        form->show_screen(panel_of(*form, screen));
        press_the_whole_board(*form);
        EXPECT_EQ(form->ActionMode + form->navi.caption(), "開始ボタンを押してください")
            << screen_name(screen);
    }
    EXPECT_EQ(form->stage + form->active_side, 0);
    EXPECT_TRUE(music.commands.empty());
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(ScreensTest, FirstThenMenuTitleReturnsToASilentTitle) {
    form->from_first.click();
    form->menu_totitle->click();
    EXPECT_EQ(visible_screen(*form), Screen::Title);
    EXPECT_EQ(music.commands, std::vector<std::string>{"stop bgmfile "});
    EXPECT_FALSE(form->miditimer.enabled());
}

TEST_F(ScreensTest, ReturningToTheTitleClearsAnOldNoSaveNotice) {
    form->from_past.click();  // no save file in a fresh vr_data
    ASSERT_FALSE(form->title_message.caption().empty());
    form->from_first.click();
    form->menu_totitle->click();
    EXPECT_EQ(form->title_message.caption(), "");
}

TEST_F(ScreensTest, WithTheMusicSwitchedOffAStartOpensThePieceButLeavesTheTimerOff) {
    form->menu_bgm_on_off->click();
    music.commands.clear();
    form->from_first.click();
    form->start.click();
    EXPECT_EQ(music.commands, play_commands("vr_data\\dice.mid"));
    EXPECT_FALSE(form->miditimer.enabled());
}

}  // namespace
}  // namespace vr::test
