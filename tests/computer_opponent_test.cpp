// The computer's priority list: one position per step where that step, and no earlier one,
// applies; the random gates scripted in the order the list draws them.
#include <functional>
#include <vector>

#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr float kShutSummon = 0.8f;  // above the 0.75 summon gate
constexpr float kShutMagic = 0.3f;   // above the 0.25 Magic gate
constexpr int kSummonScanDraws = 10;
constexpr int kMagicScanDraws = 8;

// A draw that picks slot (or, for trap, square - 1) `n` of ten (or twelve).
float pick(int n, int of) {
    return (static_cast<float>(n) + 0.5f) / static_cast<float>(of);
}

class ComputerTurn : public PlayTest {
protected:
    // Side 2 to move on stage n with the given points; its Familiars on the field are ready.
    void position(int n, const std::string& picture, int mv, int mp) {
        begin_play(n);
        scene(picture);
        form->masters(kComputer).mv = static_cast<int16_t>(mv);
        form->masters(kComputer).mp = static_cast<int16_t>(mp);
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            FamiliarRecord& familiar = form->familiars(kComputer, slot);
            familiar.ready = on_field(familiar.square);
        }
        pause.pauses.clear();
    }
    // A pass that finds nothing, then side 1's dice.
    void script_quiet_end() {
        script_repeated(dice, kShut, kEmptyPassDraws);
        script_repeated(dice, kShut, kTurnStartDraws);
    }
    void play() {
        form->computer_turn();
        EXPECT_EQ(dice.remaining(), 0u) << "every scripted draw is used";
        EXPECT_EQ(form->active_side, kHuman) << "the turn is handed back";
        EXPECT_FALSE(form->computer_thinking);
    }
};

TEST_F(ComputerTurn, EndsAfterOneEmptyPassWithOneHalfSecondPause) {
    position(1, "M . . . . . . . . . . . . M", 2, 0);
    script_quiet_end();
    play();
    EXPECT_EQ(pause.pauses, std::vector<int>{500});
    EXPECT_EQ(form->buttonturn_end.caption(), "Next");
}

TEST_F(ComputerTurn, Step1ReadyFamiliarAtExactRangeHitsTheMasterBeforeAnythingElse) {
    // The fairy could also strike r0 backwards (3 + 3 = 6), a later step.
    position(kLastStage, "M . . b1 . . r0 . . . . . . M", 3, 0);
    const int hp = form->masters(kHuman).hp = 3;
    script_quiet_end();
    play();
    EXPECT_EQ(form->masters(kHuman).hp, hp - 1);
    EXPECT_EQ(field(), "M . . . . . r0 . . . . . . M");
}

TEST_F(ComputerTurn, Step2StrikesTheLowestSideOneSlotEvenBackwards) {
    // r0 behind at range 3, r1 ahead at range 3: slot 0 comes first; it falls from the hit.
    position(kLastStage, "M . . r1 . . b1 . . r0 . . . M", 3, 0);
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . r1 . . . . . b1 . . . M");
    EXPECT_EQ(form->familiars(kHuman, 1).damage, 0);
}

TEST_F(ComputerTurn, Step2NeverStrikesBackwardsWhenThePushWouldEndOnSquare13) {
    // Goblin atk 3 from 8 backwards onto r0 on 10: 10 + 3 = 13. It advances instead (step 5).
    position(kLastStage, "M . . . . . . . b2 . r0 . . M", 2, 0);
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . . . . b2 . . . r0 . . M");
    EXPECT_EQ(form->familiars(kHuman, 0).damage, 0);
}

TEST_F(ComputerTurn, Step3SummonsOntoASideOneFamiliarStandingOnTheEntrySquare) {
    // Stage 1 owns kinds 0..2; the goblin (mv 2) enters on 11 where r0 stands.
    position(1, "M . . . . . . . . . . r0 . M", 0, 4);
    script_repeated(dice, kShut, 7);  // slots 9..3
    dice.script({kOpen});             // slot 2
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . . . . . . . . . b2 . M") << "the skeleton fell and went home";
    EXPECT_EQ(form->masters(kComputer).mp, 0);
}

TEST_F(ComputerTurn, Step3EndsAtTheFirstEligibleSlotWhoseEntryIsEmptyAndStep4SummonsIt) {
    // Slot 2's gate stays shut, so slot 1 (fairy, entry 10) is the first eligible: nobody on 10.
    position(1, "M . . . . . . . . . . r0 . M", 0, 4);
    script_repeated(dice, kShut, 7);
    dice.script({kShutSummon, kOpen});
    script_repeated(dice, kShut, 8);  // step 4: slots 9..2
    dice.script({kOpen});             // slot 1 again
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . . . . . . . . b1 r0 . M");
    EXPECT_EQ(form->masters(kComputer).mp, 1);
}

TEST_F(ComputerTurn, Step4HoldsBackANewcomerThatWouldStrikeAFragileAlly) {
    // b1 (hp 2, damage 1) stands on the goblin's entry square and has already moved.
    position(1, "M . . . . . . . . . . b1 . M", 0, 4);
    form->familiars(kComputer, 1).damage = 1;
    form->familiars(kComputer, 1).ready = false;
    script_repeated(dice, kShut, 7);
    dice.script({kOpen});  // step 3: slot 2 eligible, nobody of side 1 on 11
    script_repeated(dice, kShut, 7);
    dice.script({kOpen});  // step 4: slot 2 eligible, fragile ally on 11
    script_repeated(dice, kShut, kMagicScanDraws);
    script_repeated(dice, kShut, kTurnStartDraws);
    play();
    EXPECT_EQ(field(), "M . . . . . . . . . . b1 . M");
    EXPECT_EQ(pause.pauses, std::vector<int>{500}) << "nothing done: one pass";
}

TEST_F(ComputerTurn, Step5AdvancesUnlessAFragileAllyStandsOnTheDestination) {
    // b2 would land on fragile b1 and waits; b0 (range 2) walks from 9 to 7.
    position(kLastStage, "M . . . . . . . b2 b0 b1 . . M", 2, 0);
    form->familiars(kComputer, 1).damage = 1;
    form->familiars(kComputer, 1).ready = false;
    form->familiars(kComputer, 2).square = 12;  // 12 - 2 = 10, where b1 stands
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    // With the MV spent, b2's range is 0: its own square is no fragile ally's, so it stays put.
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . . . . . b0 . . b1 . b2 M");
}

TEST_F(ComputerTurn, Step5RangeZeroStillCountsAndSpendsTheReadiness) {
    position(kLastStage, "M . . . . . . . . b0 . . . M", 0, 0);
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    script_quiet_end();
    play();
    EXPECT_EQ(field(), "M . . . . . . . . b0 . . . M");
    EXPECT_EQ(pause.pauses.size(), 2u) << "two passes, the first one acted";
}

// Step 6: the first Magic whose gate opens is the only one tried.
struct MagicChoice {
    const char* rule;
    const char* before;
    int mp;
    std::vector<float> draws;  // gates from meteor down, then target picks
    const char* after;
    std::function<bool(const GameForm&)> effect;
};

class ComputerMagic : public ComputerTurn, public ::testing::WithParamInterface<MagicChoice> {};

TEST_P(ComputerMagic, CastsOnTheFirstQualifyingPick) {
    const MagicChoice& c = GetParam();
    position(kLastStage, c.before, 0, c.mp);
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) form->familiars(kComputer, slot).owned = false;
    form->familiars(kComputer, 5).damage = 3;
    form->familiars(kComputer, 5).ready = false;
    form->familiars(kComputer, 4).ready = false;
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    for (float draw : c.draws) dice.script({draw});
    script_quiet_end();
    play();
    EXPECT_EQ(field(), c.after);
    EXPECT_TRUE(c.effect(*form));
    EXPECT_EQ(form->masters(kComputer).mp, 0) << "the cast is paid";
}

const MagicChoice kMagicChoices[] = {
    {"meteor on the highest centre where side 1 leads by two",
     "M . . . . . . . r0 r1 r2 . . M",
     6,
     {kOpen},
     "M . . . . . r1 r2 . . . . . M",
     [](const GameForm& f) { return f.familiars(kHuman, 2).damage == 1; }},
    {"highheal on a random slot with damage above 2",
     "M . . . . . . . . . . . . M",
     6,
     {kShutMagic, kOpen, pick(0, 10), pick(5, 10)},
     "M . . . . . . . . . . . . M",
     [](const GameForm& f) { return f.familiars(kComputer, 5).damage == 0; }},
    {"trap on a random empty square",
     "M b4 . . . . . . . . . . . M",
     5,
     {kShutMagic, kShutMagic, kOpen, pick(0, 12), pick(6, 12)},
     "M b4 . . . . . . . . . . . M",
     [](const GameForm& f) { return f.trap_flags(7) && !f.trap_flags(1); }},
    {"power on a random own Familiar on the field",
     "M b4 . . . . . . . . . . . M",
     5,
     {kShutMagic, kShutMagic, kShutMagic, kOpen, pick(5, 10), pick(4, 10)},
     "M b4 . . . . . . . . . . . M",
     [](const GameForm& f) { return f.familiars(kComputer, 4).power_bonus == 1; }},
    {"quick on a random own Familiar on the field",
     "M b4 . . . . . . . . . . . M",
     4,
     {kShutMagic, kShutMagic, kShutMagic, kShutMagic, kOpen, pick(4, 10)},
     "M b4 . . . . . . . . . . . M",
     [](const GameForm& f) { return f.familiars(kComputer, 4).quick_bonus == 1; }},
    {"bullet on a random side-1 Familiar on the field",
     "M . . . . . r1 . . . . . . M",
     4,
     {kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kOpen, pick(0, 10), pick(1, 10)},
     "M . . . r1 . . . . . . . . M",
     [](const GameForm& f) { return f.familiars(kHuman, 1).damage == 1; }},
    {"heal on a random damaged own Familiar, even in reserve",
     "M . . . . . . . . . . . . M",
     3,
     {kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kOpen, pick(5, 10)},
     "M . . . . . . . . . . . . M",
     [](const GameForm& f) { return f.familiars(kComputer, 5).damage == 2; }},
    {"sleep on a random side-1 Familiar on the field",
     "M . . . . . r1 . . . . . . M",
     3,
     {kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kShutMagic, kOpen, pick(1, 10)},
     "M . . . . . r1 . . . . . . M",
     [](const GameForm& f) { return !f.familiars(kHuman, 1).ready; }},
};

INSTANTIATE_TEST_SUITE_P(Rows, ComputerMagic, ::testing::ValuesIn(kMagicChoices),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

TEST_F(ComputerTurn, Step6AnOpenGateWithoutATargetEndsTheMagicStep) {
    // Meteor's gate opens but no centre has two more side-1 Familiars: nothing else is tried.
    position(kLastStage, "M . . . . . r1 . . . . . . M", 0, 12);
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) form->familiars(kComputer, slot).owned = false;
    script_repeated(dice, kShut, 2 * kSummonScanDraws);
    dice.script({kOpen});
    script_repeated(dice, kShut, kTurnStartDraws);
    play();
    EXPECT_EQ(form->masters(kComputer).mp, 12);
}

TEST_F(ComputerTurn, Step7AFallenMasterStopsTheTurnWithoutHandingItOver) {
    position(kLastStage, "M . . b1 . . . . . . . . . M", 3, 0);
    form->masters(kHuman).hp = 1;
    form->computer_turn();
    EXPECT_TRUE(form->frame_gameover.is_visible());
    EXPECT_FALSE(form->computer_thinking);
    EXPECT_EQ(form->active_side, kComputer) << "stage 1 waits behind the screen for 開始";
    EXPECT_EQ(form->buttonturn_end.caption(), "開始");
    EXPECT_EQ(dice.remaining(), 0u);
}

}  // namespace
}  // namespace vr::test
