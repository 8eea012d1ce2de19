// Summoning: the price, the entry move and everything its landing sets off.
#include <algorithm>

#include "play_helpers.h"

namespace vr::test {
namespace {

struct SummonCase {
    const char* rule;
    int side;
    int slot;
    int mp;
    const char* before;
    int trap;  // 0: no trap
    const char* after;
    int mp_after;
    const char* mode_after;
};

const SummonCase kSummonCases[] = {
    {"MP equal to the cost is enough and leaves 0", kHuman, 2, 4, "M . . . . . . . . . . . . M", 0,
     "M . r2 . . . . . . . . . . M", 0, ""},
    {"too little MP changes nothing and keeps the summon mode", kHuman, 2, 3, "M . . . . . . . . . . . . M",
     0, "M . . . . . . . . . . . . M", 3, "summon"},
    {"an enemy on the entry square is struck towards 13 by atk less nothing", kHuman, 2, 6,
     "M . b1 . . . . . . . . . . M", 0, "M . r2 . . b1 . . . . . . . M", 2, ""},
    {"side 2 with mv 6 lands on square 7", kComputer, 8, 8, "M . . . . . . . . . . . . M", 0,
     "M . . . . . . b8 . . . . . M", 0, ""},
    {"a summoned bow-bearer walks in and strikes instead of shooting", kHuman, 6, 7,
     "M . . . . b1 . . . . . . . M", 0, "M . . . . r6 . . b1 . . . . M", 0, ""},
    {"a trap on the entry square sends it home and is used up; the MP stays spent", kHuman, 1, 5,
     "M . . . . . . . . . . . . M", 3, "M . . . . . . . . . . . . M", 2, ""},
};

class SummonRules : public PlayTest, public ::testing::WithParamInterface<SummonCase> {};

TEST_P(SummonRules, EntryMoveIsResolvedLikeAnyMove) {
    const SummonCase& c = GetParam();
    begin_play(kLastStage);
    scene(c.before);
    form->active_side = static_cast<int16_t>(c.side);
    form->masters(c.side).mp = static_cast<int16_t>(c.mp);
    if (c.trap) form->trap_flags(c.trap) = true;
    form->ActionMode = "summon";

    form->summon_familiar(c.slot);

    EXPECT_EQ(field(), c.after);
    EXPECT_EQ(form->masters(c.side).mp, c.mp_after);
    EXPECT_EQ(form->ActionMode, c.mode_after);
    EXPECT_FALSE(form->familiars(c.side, c.slot).ready);
    if (c.trap) {
        EXPECT_FALSE(form->trap_flags(c.trap)) << "a trap works once";
    }
    if (c.side == kHuman) {
        const bool on_board = on_field(form->familiars(kHuman, c.slot).square);
        EXPECT_EQ(form->monicon(c.slot).is_visible(), !on_board) << "the icon shows only while in reserve";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SummonRules, ::testing::ValuesIn(kSummonCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

using Summoning = PlayTest;

TEST_F(Summoning, StruckEnemyTakesOneDamageAndTheStrikePauses) {
    begin_play(kLastStage);
    scene("M . b1 . . . . . . . . . . M");
    form->active_side = kHuman;
    form->masters(kHuman).mp = 4;
    pause.pauses.clear();
    form->summon_familiar(2);
    EXPECT_EQ(form->familiars(kComputer, 1).damage, 1);
    EXPECT_EQ(std::count(pause.pauses.begin(), pause.pauses.end(), 500), 1) << "one strike, one 500 ms pause";
}

TEST_F(Summoning, NewcomerWhoseChainHitsTheLastHpOfMasterOneEndsTheGame) {
    // The dragon enters on 9 and pushes b2 six squares onto b3, which is pushed onto square 0.
    begin_play(kLastStage);
    scene("M . . b3 . . . . . b2 . . . M");
    form->active_side = kComputer;
    form->masters(kComputer).mp = 9;
    form->masters(kHuman).hp = 1;
    form->summon_familiar(9);
    EXPECT_TRUE(form->frame_gameover.is_visible()) << "the summon runs the victory check itself";
    EXPECT_EQ(form->stage, 1);
}

}  // namespace
}  // namespace vr::test
