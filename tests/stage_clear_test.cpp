// Stage clear, the heroine's growth, the epilogue with the game clear, and game over.
#include "campaign_helpers.h"

namespace vr::test {
namespace {

bool shows_number(const PictureBox& box, GameForm& form, int value) {
    return box.picture().same_as(form.number_pictures(value));
}

struct RewardRow {
    int stage;
    const char* kind_name;
    const char* magic_label;
};
void PrintTo(const RewardRow& row, std::ostream* out) {
    *out << "stage " << row.stage;
}

class StageClearTest : public GameTest, public ::testing::WithParamInterface<RewardRow> {};

TEST_P(StageClearTest, AnnouncesTheRewardsGrowsTheHeroineAndSetsUpTheNextStage) {
    const RewardRow& row = GetParam();
    const int kind = row.stage + 2;
    const int magic = row.stage;
    begin_stage(row.stage);
    // Damaged in the fight, grown twice before: mp_max has 4 of 9 units of room.
    form->masters(kHuman).hp = 1;
    form->masters(kHuman).mp_max = 8;
    form->masters(kHuman).mv_max = 7;
    form->best_turns(row.stage) = 20;
    form->stage_turns(row.stage) = 17;
    scene("M r0 . b1 . . . . . . . . . M");
    music.commands.clear();
    dice.script({0.5f});  // r = 4: not below mp_max's room of 4, so mv_max grows

    form->stage_clear();

    EXPECT_EQ(dice.remaining(), 0u) << "growing the heroine draws once";
    EXPECT_EQ(visible_screen(*form), Screen::StageClear);
    EXPECT_EQ(music.commands, play_commands("vr_data\\nextmap.mid"));
    EXPECT_EQ(form->Label5.caption(),
              "最短記録を更新！\r\nステージ" + std::to_string(row.stage) + "\r\n20→17");
    EXPECT_EQ(form->best_turns(row.stage), 17);

    EXPECT_EQ(form->familiars(kHuman, kind).name, row.kind_name);
    EXPECT_EQ(form->st_text1.caption(), std::string("使い魔\r\n「") + row.kind_name + "」\r\nをゲット！");
    EXPECT_EQ(form->st_text2.caption(), std::string("魔法\r\n「") + row.magic_label + "」\r\nをゲット！");
    EXPECT_TRUE(form->st_pic.picture().same_as(form->familiars(kHuman, kind).picture));
    EXPECT_TRUE(form->st_pic2.picture().same_as(form->magics(magic).picture));
    const FamiliarRecord& gained = form->familiars(kHuman, kind);
    EXPECT_TRUE(shows_number(form->st_hpdice, *form, gained.hp));
    EXPECT_TRUE(shows_number(form->st_atkdice, *form, gained.atk));
    EXPECT_TRUE(shows_number(form->st_mvdice, *form, gained.mv));
    EXPECT_TRUE(shows_number(form->st_mpdice, *form, gained.cost));
    EXPECT_TRUE(shows_number(form->st_mpdice2, *form, form->magics(magic).cost));

    EXPECT_TRUE(shows_number(form->mas_hpold, *form, 1));
    EXPECT_TRUE(shows_number(form->mas_hpnew, *form, 2));
    EXPECT_TRUE(shows_number(form->mas_mgcold, *form, 8));
    EXPECT_TRUE(shows_number(form->mas_mgcnew, *form, 8));
    EXPECT_TRUE(shows_number(form->mas_mvold, *form, 7));
    EXPECT_TRUE(shows_number(form->mas_mvnew, *form, 8));

    // The next stage waits behind the screen, with the rewards owned and the heroine grown.
    EXPECT_EQ(form->stage, row.stage + 1);
    EXPECT_EQ(form->active_side, kComputer);
    EXPECT_EQ(form->navi.caption(), "行動を選択してください");
    EXPECT_EQ(form->buttonturn_end.caption(), "開始");
    EXPECT_TRUE(form->familiars(kHuman, kind).owned);
    EXPECT_TRUE(form->magics(magic).owned);
    EXPECT_EQ(field(), "M . . . . . . . . . . . . M");
    EXPECT_EQ((std::vector<int>{form->masters(kHuman).hp, form->masters(kHuman).mp_max,
                                form->masters(kHuman).mv_max}),
              (std::vector<int>{2, 8, 8}));
}

INSTANTIATE_TEST_SUITE_P(
    EveryStage, StageClearTest,
    ::testing::Values(RewardRow{1, "さらまんだー", "HEAL"}, RewardRow{2, "ぺがさす", "BULLET"},
                      RewardRow{3, "ごーれむ", "QUICK"}, RewardRow{4, "けんたうろす", "POWER"},
                      RewardRow{5, "とろーる", "TRAP"}, RewardRow{6, "わいばーん", "HIGH-HEAL"},
                      RewardRow{7, "どらごん", "METEOR"}),
    [](const ::testing::TestParamInfo<RewardRow>& info) {
        return "Stage" + std::to_string(info.param.stage) + "GivesKind" +
               std::to_string(info.param.stage + 2) + "AndMagic" + std::to_string(info.param.stage);
    });

struct GrowthRow {
    const char* rule;
    int hp, mp_max, mv_max;
    float draw;
    int hp_after, mp_after, mv_after;
};
void PrintTo(const GrowthRow& row, std::ostream* out) {
    *out << row.rule;
}

class GrowthTest : public GameTest, public ::testing::WithParamInterface<GrowthRow> {};

TEST_P(GrowthTest, GrowsHpAndOneDieInProportionToItsRoom) {
    const GrowthRow& row = GetParam();
    form->masters(kHuman).hp = static_cast<int16_t>(row.hp);
    form->masters(kHuman).mp_max = static_cast<int16_t>(row.mp_max);
    form->masters(kHuman).mv_max = static_cast<int16_t>(row.mv_max);
    dice.script({row.draw});
    form->grow_heroine();
    EXPECT_EQ(dice.remaining(), 0u);
    EXPECT_EQ(form->masters(kHuman).hp, row.hp_after);
    EXPECT_EQ(form->masters(kHuman).mp_max, row.mp_after);
    EXPECT_EQ(form->masters(kHuman).mv_max, row.mv_after);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, GrowthTest,
    ::testing::Values(GrowthRow{"StartingValuesLowDrawGrowsMp", 2, 6, 6, 0.0f, 3, 7, 6},
                      GrowthRow{"StartingValuesDrawJustBelowHalfGrowsMp", 2, 6, 6, 0.49f, 3, 7, 6},
                      GrowthRow{"StartingValuesHalfGrowsMv", 2, 6, 6, 0.5f, 3, 6, 7},
                      GrowthRow{"BothAt9BelowHalfGrowsMp", 4, 9, 9, 0.49f, 5, 10, 9},
                      GrowthRow{"BothAt9HalfGrowsMv", 4, 9, 9, 0.5f, 5, 9, 10},
                      GrowthRow{"MpAt12AlwaysGrowsMvEvenOnALowDraw", 4, 12, 6, 0.0f, 5, 12, 7},
                      GrowthRow{"MpAt12AlwaysGrowsMvEvenOnAHighDraw", 4, 12, 6, 0.99f, 5, 12, 7},
                      GrowthRow{"MvAt12AlwaysGrowsMpEvenOnAHighDraw", 4, 6, 12, 0.99f, 5, 7, 12},
                      GrowthRow{"DamagedHeroineGrowsFromWhatIsLeft", 1, 6, 6, 0.0f, 2, 7, 6},
                      GrowthRow{"BothAt12NeitherPassesTheLargestNumber", 5, 12, 12, 0.5f, 6, 12, 12},
                      GrowthRow{"HpAt12StaysAtTheLargestNumber", 12, 7, 7, 0.0f, 12, 8, 7}),
    [](const ::testing::TestParamInfo<GrowthRow>& info) { return std::string(info.param.rule); });

using CampaignEndTest = GameTest;

TEST_F(CampaignEndTest, EqualTurnsAreNoRecordAndLeaveTheMessageEmpty) {
    begin_stage(2);
    form->best_turns(2) = 15;
    form->stage_turns(2) = 15;
    form->Label5.set_caption("old");
    dice.script({0.0f});
    form->stage_clear();
    EXPECT_EQ(form->Label5.caption(), "");
    EXPECT_EQ(form->best_turns(2), 15);
}

TEST_F(CampaignEndTest, Stage8LeadsToTheEpilogueAndNextToGameClearWithTheTotalRecord) {
    begin_stage(8);
    set_progress(*form, {8, 3, 10, 11, {10, 11, 12, 13, 14, 15, 16, 9, 100}});
    form->best_turns(8) = 12;
    form->best_turns(9) = 150;
    music.commands.clear();

    form->stage_clear();  // no growth: nothing is drawn

    EXPECT_EQ(visible_screen(*form), Screen::Epilogue);
    EXPECT_EQ(music.commands, play_commands("vr_data\\nextmap.mid"));
    EXPECT_EQ(form->Label9.caption(), "最短記録を更新！\r\nステージ8\r\n12→9");
    EXPECT_EQ(form->best_turns(9), 150) << "the total is judged only when the player leaves the epilogue";
    EXPECT_EQ(form->epilogue_lines(1)->caption(), "？？？「あいたたた・・・」");
    EXPECT_EQ(progress_of(*form), (Progress{1, 2, 6, 6, {10, 11, 12, 13, 14, 15, 16, 9, 100}}));
    EXPECT_EQ(form->active_side, kComputer);
    EXPECT_FALSE(form->familiars(kHuman, 3).owned) << "stage 1 is set up behind the epilogue";

    music.commands.clear();
    form->gameclear2.click();

    EXPECT_EQ(visible_screen(*form), Screen::GameClear);
    EXPECT_EQ(music.commands, play_commands("vr_data\\clear.mid"));
    EXPECT_EQ(form->Label7.caption(), "最短記録を更新！\r\n総ターン\r\n150→100");
    EXPECT_EQ(form->best_turns(9), 100);
    EXPECT_EQ(progress_of(*form).turns, std::vector<int>(kTotalTurnsIndex, 0));
    const std::string records = file_bytes(data.path("vrrec.txt"));
    EXPECT_TRUE(records.ends_with(",9,100\r\n")) << "the records file holds both new records: " << records;
}

TEST_F(CampaignEndTest, GameOverAfterStage5StartsAgainAtStage1WithStartingValues) {
    begin_stage(5);
    set_progress(*form, {5, 0, 9, 8, {12, 15, 9, 20, 7, 0, 0, 0, 63}});
    scene("M . r4 . . b2 . . r6 . . . . M");
    form->familiars(kHuman, 4).damage = 2;
    music.commands.clear();

    form->game_over();

    EXPECT_EQ(visible_screen(*form), Screen::GameOver);
    EXPECT_EQ(music.commands, play_commands("vr_data\\gameover.mid"));
    EXPECT_EQ(progress_of(*form), (Progress{1, 2, 6, 6, {12, 15, 9, 20, 7, 0, 0, 0, 63}}))
        << "the turn counts stay until a new game starts from the title";
    EXPECT_EQ(form->active_side, kComputer);
    EXPECT_EQ(field(), "M . . . . . . . . . . . . M");
    EXPECT_EQ(form->familiars(kHuman, 4).damage, 0);
    for (int kind = 0; kind <= kLastSlot; ++kind)
        EXPECT_EQ(form->familiars(kHuman, kind).owned, kind <= 2) << kind;
    for (int m = 0; m <= kLastMagic; ++m) EXPECT_EQ(form->magics(m).owned, m == 0) << m;
}

}  // namespace
}  // namespace vr::test
