// Turn end: the hand-over between the sides, the MV and MP dice with their caps, readiness and
// sleep, the turn counts and what the panels and the button show.
#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr Colour kEndedPanel = 0x99FFCC;
constexpr Colour kHumanTurnPanel = 0x9999FF;
constexpr Colour kComputerTurnPanel = 0xFF9999;

struct RollCase {
    const char* rule;
    int faces;
    int left_over;
    float draw;
    int after;
};

const RollCase kRollCases[] = {
    {"a roll adds to what is left over", 6, 1, 0.5f, 5},
    {"the lowest draw rolls a one", 6, 0, 0.0f, 1},
    {"the highest draw rolls the top face", 6, 0, 0.999f, 6},
    {"mv_max 3 with 2 left over gives 3 whatever the die shows", 3, 2, 0.0f, 3},
    {"a result above the die's size is capped at it", 12, 10, 0.75f, 12},
};

class TurnRolls : public PlayTest, public ::testing::WithParamInterface<RollCase> {};

TEST_P(TurnRolls, SideOnesDiceAtTheStartOfItsTurn) {
    const RollCase& c = GetParam();
    begin_play(1);
    form->computer_thinking = false;
    MasterRecord& master = form->masters(kHuman);
    master.mv_max = master.mp_max = static_cast<int16_t>(c.faces);
    master.mv = master.mp = static_cast<int16_t>(c.left_over);
    dice.script({c.draw, c.draw});
    form->buttonturn_end_Click();
    EXPECT_EQ(master.mv, c.after);
    EXPECT_EQ(master.mp, c.after);
    EXPECT_EQ(form->masmv(kHuman).picture().source(), form->number_pictures(c.after).source());
    EXPECT_EQ(form->masmp(kHuman).picture().source(), form->number_pictures(c.after).source());
}

INSTANTIATE_TEST_SUITE_P(Rows, TurnRolls, ::testing::ValuesIn(kRollCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

using TurnEnd = PlayTest;

TEST_F(TurnEnd, FirstPressAfterSetUpStartsTurnOneOfSideOne) {
    begin_play(1);
    EXPECT_EQ(form->buttonturn_end.caption(), "開始");
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();
    EXPECT_EQ(form->active_side, kHuman);
    EXPECT_EQ(form->stage_turns(1), 1);
    EXPECT_EQ(form->stage_turns(kTotalTurnsIndex), 1);
    EXPECT_EQ(form->Label4.caption(), "ステージ 1\r\n ターン 1");
    EXPECT_EQ(form->buttonturn_end.caption(), "Next");
    EXPECT_EQ(form->Frame1(kHuman).back_colour(), kHumanTurnPanel);
    EXPECT_EQ(form->Frame1(kComputer).back_colour(), kEndedPanel);
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");
}

TEST_F(TurnEnd, EndingSideOnesTurnPlaysTheComputerAndComesBack) {
    begin_play(1);
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();
    form->ActionMode = "move2";
    // Side 2 rolls MV 1 and MP 1, which affords nothing: one empty pass, then side 1's dice.
    form->masters(kComputer).mp_max = 1;
    dice.script({0.0f, 0.0f});
    script_repeated(dice, kShut, kEmptyPassDraws);
    script_repeated(dice, kShut, kTurnStartDraws);
    form->buttonturn_end_Click();
    EXPECT_EQ(dice.remaining(), 0u);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->active_side, kHuman);
    EXPECT_EQ(form->stage_turns(1), 2) << "a turn is counted each time side 2's turn ends";
    EXPECT_EQ(form->Label4.caption(), "ステージ 1\r\n ターン 2");
    EXPECT_EQ(form->masters(kComputer).mv, 1) << "side 2 rolled a one and spent nothing";
}

TEST_F(TurnEnd, SideTwosTurnShowsWaitAndItsPanelColourWhileItPlays) {
    begin_play(kLastStage);
    scene("M . . . . . . . . b0 . . . M");
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();

    // The computer's one move refreshes the field: look at the board then.
    std::string caption, message;
    Colour own_panel = 0, other_panel = 0;
    form->fld.on_refresh = [&](const QImage&) {
        if (form->active_side != kComputer || !caption.empty()) return;
        caption = form->buttonturn_end.caption();
        message = form->navi.caption();
        own_panel = form->Frame1(kComputer).back_colour();
        other_panel = form->Frame1(kHuman).back_colour();
    };
    dice.script({0.0f, 0.0f});  // MV 1, MP 1: b0 advances one square, nothing is affordable
    script_repeated(dice, kShut, 2 * 10);
    script_repeated(dice, kShut, kEmptyPassDraws);
    script_repeated(dice, kShut, kTurnStartDraws);
    form->buttonturn_end_Click();
    form->fld.on_refresh = nullptr;

    EXPECT_EQ(caption, "Wait");
    EXPECT_EQ(message, "…思考中…");
    EXPECT_EQ(own_panel, kComputerTurnPanel);
    EXPECT_EQ(other_panel, kEndedPanel);
    EXPECT_EQ(field(), "M . . . . . . . b0 . . . . M");
    EXPECT_EQ(form->buttonturn_end.caption(), "Next");
    EXPECT_EQ(dice.remaining(), 0u);
}

TEST_F(TurnEnd, ASleepingFamiliarMissesExactlyOneTurnAndReserveIsNeverReady) {
    begin_play(1);
    form->active_side = kComputer;
    scene("M . r1 r2 . . . . . . . . . M");
    form->familiars(kHuman, 1).asleep = true;
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();
    EXPECT_FALSE(form->familiars(kHuman, 1).ready) << "asleep at the start of its side's turn";
    EXPECT_FALSE(form->familiars(kHuman, 1).asleep) << "and awake again afterwards";
    EXPECT_TRUE(form->familiars(kHuman, 2).ready);
    EXPECT_FALSE(form->familiars(kHuman, 0).ready) << "in reserve: must be summoned first";

    form->active_side = kComputer;
    dice.script({0.5f, 0.5f});
    form->buttonturn_end_Click();
    EXPECT_TRUE(form->familiars(kHuman, 1).ready);
}

TEST_F(TurnEnd, DoesNothingWhileTheComputerThinks) {
    begin_play(1);
    form->computer_thinking = true;
    form->buttonturn_end_Click();
    EXPECT_EQ(form->active_side, kComputer);
    EXPECT_EQ(form->stage_turns(1), 0);
    EXPECT_EQ(form->buttonturn_end.caption(), "開始");
}

}  // namespace
}  // namespace vr::test
