// The whole campaign, title to game clear, played through the real handlers by a scripted player
// against the real computer: screens, rewards, turn counts, records and music along the way.
#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "campaign_helpers.h"
#include "campaign_player.h"
#include "platform/files/record_file.h"
#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr int kMaxTurnsPerStage = 60;
constexpr int kTurnsPerHit = 4;
constexpr int kRecordCount = kTotalTurnsIndex;
constexpr int kNoRecord = 999;

struct Campaign {
    Campaign() : form(std::make_unique<GameForm>(GameServices{pause, dice, music})), player(*form, dice) {
        form->Form_Load();
    }
    ScratchDataDir data;
    InstantPause pause;
    CampaignDice dice;
    RecordingMusicDevice music;
    std::unique_ptr<GameForm> form;
    CampaignPlayer player;

    std::vector<int> records() { return read_record_numbers(data.path("vrrec.txt"), kRecordCount).value(); }
};

std::string turn_caption(int stage, int turn) {
    return "ステージ " + std::to_string(stage) + "\r\n ターン " + std::to_string(turn);
}

// The records file after the given stages were each won in a first ever campaign.
std::vector<int> expected_records(const std::vector<int>& turns, int total) {
    std::vector<int> records(kRecordCount, kNoRecord);
    std::copy(turns.begin(), turns.end(), records.begin());
    records[kTotalTurnsIndex - 1] = total;
    return records;
}

TEST(CampaignPlaythrough, TitleToGameClearThroughTheRealHandlers) {
    Campaign game;
    GameForm& form = *game.form;
    ASSERT_EQ(visible_screen(form), Screen::Title);

    form.from_first_Click();
    ASSERT_EQ(visible_screen(form), Screen::Prologue);
    game.music.commands.clear();
    form.start_Click();
    ASSERT_EQ(visible_screen(form), Screen::Board);
    EXPECT_EQ(game.music.commands, play_commands("vr_data\\dice.mid"));

    std::vector<int> turns_won;
    for (int stage = 1; stage <= kLastStage; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        ASSERT_EQ(form.stage, stage);
        const int master_hp = form.masters(kComputer).hp;
        EXPECT_EQ(form.Label4.caption(), turn_caption(stage, 0));
        EXPECT_EQ(form.buttonturn_end.caption(), "開始");
        int turns = 0;
        while (game.player.board_in_play()) {
            ASSERT_LT(turns, kMaxTurnsPerStage) << "the scripted player is stuck on stage " << stage;
            game.music.commands.clear();
            game.player.end_turn();
            if (!game.player.board_in_play()) break;  // the computer ended the stage in its turn
            ++turns;
            ASSERT_EQ(form.active_side, kHuman);
            EXPECT_EQ(form.stage_turns(stage), turns);
            EXPECT_EQ(form.Label4.caption(), turn_caption(stage, turns));
            EXPECT_EQ(form.masters(kHuman).mp, form.masters(kHuman).mp_max) << "a top-face roll fills MP";
            game.music.commands.clear();
            game.player.play_turn();
        }
        ASSERT_NE(visible_screen(form), Screen::GameOver) << "the heroine fell on stage " << stage;
        EXPECT_EQ(form.familiars(kComputer, 0).square, kComputerHome) << "the computer stayed passive";
        EXPECT_EQ(game.music.commands, play_commands("vr_data\\nextmap.mid"));
        // Each hit: a summoning turn, then hops 0 -> 4 -> 8 -> 12 -> 13 on the scripted dice.
        EXPECT_EQ(turns, kTurnsPerHit * master_hp);
        turns_won.push_back(turns);
        const int total = std::accumulate(turns_won.begin(), turns_won.end(), 0);
        EXPECT_EQ(form.stage_turns(stage), turns);
        EXPECT_EQ(form.stage_turns(kTotalTurnsIndex), total);
        // A first campaign beats every record, and the total is judged only on leaving the epilogue.
        EXPECT_EQ(game.records(), expected_records(turns_won, kNoRecord));
        if (stage == kLastStage) break;

        ASSERT_EQ(visible_screen(form), Screen::StageClear);
        EXPECT_EQ(form.st_text1.caption(),
                  "使い魔\r\n「" + form.familiars(kHuman, stage + 2).name + "」\r\nをゲット！");
        EXPECT_EQ(form.st_text2.caption(), "魔法\r\n「" + form.magics(stage).label + "」\r\nをゲット！");
        EXPECT_TRUE(form.familiars(kHuman, stage + 2).owned);
        EXPECT_TRUE(form.magics(stage).owned);
        EXPECT_EQ(form.stage, stage + 1);
        game.music.commands.clear();
        form.st_btn_Click();
        ASSERT_EQ(visible_screen(form), Screen::Board);
        EXPECT_EQ(game.music.commands, play_commands("vr_data\\dice.mid"));
    }

    ASSERT_EQ(visible_screen(form), Screen::Epilogue);
    EXPECT_EQ(form.stage, 1) << "the next campaign waits at stage 1";
    const int total = std::accumulate(turns_won.begin(), turns_won.end(), 0);
    game.music.commands.clear();
    form.gameclear2_Click();
    ASSERT_EQ(visible_screen(form), Screen::GameClear);
    EXPECT_EQ(game.music.commands, play_commands("vr_data\\clear.mid"));
    EXPECT_EQ(game.records(), expected_records(turns_won, total));
    for (int n = 1; n <= kTotalTurnsIndex; ++n) EXPECT_EQ(form.stage_turns(n), 0) << "count " << n;

    form.to_title_Click(1);
    EXPECT_EQ(visible_screen(form), Screen::Title);
}

// Stage 1 by keys alone at the fastest speed plays exactly as by the handlers at the game's own
// pace: the same turns, and the rules ask for the same pauses.
TEST(CampaignPlaythrough, AStageByKeysAtAnySpeedPlaysAsByTheHandlers) {
    std::vector<int> pauses[2];
    int turns[2] = {0, 0};
    for (int by_keys = 0; by_keys <= 1; ++by_keys) {
        SCOPED_TRACE(by_keys ? "by keys" : "by handlers");
        Campaign game;
        GameForm& form = *game.form;
        if (by_keys) {
            game.player.keys = [&form](int key) { press_key(form, key); };
            form.menu_speed(2)->click();
            press_key(form, Qt::Key_Return);  // 最初から
            press_key(form, Qt::Key_Return);  // スタート
        } else {
            form.from_first_Click();
            form.start_Click();
        }
        ASSERT_EQ(visible_screen(form), Screen::Board);
        while (game.player.board_in_play()) {
            ASSERT_LT(turns[by_keys], kMaxTurnsPerStage);
            game.player.end_turn();
            if (!game.player.board_in_play()) break;
            ++turns[by_keys];
            game.player.play_turn();
        }
        ASSERT_EQ(visible_screen(form), Screen::StageClear);
        pauses[by_keys] = game.pause.pauses;
        if (by_keys) {
            press_key(form, Qt::Key_Return);  // 次のステージ
            EXPECT_EQ(visible_screen(form), Screen::Board);
            form.menu_speed(0)->click();
        }
    }
    EXPECT_EQ(turns[1], turns[0]);
    EXPECT_EQ(pauses[1], pauses[0]);
    for (int asked : {30, 500, 1000})
        EXPECT_NE(std::find(pauses[1].begin(), pauses[1].end(), asked), pauses[1].end()) << asked;
}

}  // namespace
}  // namespace vr::test
