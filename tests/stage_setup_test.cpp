// Stage set-up: the opponent, what each side owns, the panels, icons and captions of each stage.
#include "rules_helpers.h"

namespace vr::test {
namespace {

class StageSetupTest : public GameTest {
protected:
    void set_up(int stage) {
        form->stage = static_cast<int16_t>(stage);
        form->stage_setup();
    }
};

struct OpponentCase {
    int stage;
    const char* name;
    int hp;
    int mp_max;
    int mv_max;
};

void PrintTo(const OpponentCase& c, std::ostream* os) {
    *os << "stage " << c.stage;
}

class OpponentTest : public StageSetupTest, public ::testing::WithParamInterface<OpponentCase> {};

TEST_P(OpponentTest, EachStageHasItsMasterAndItsShareOfKindsAndMagics) {
    const OpponentCase& c = GetParam();
    set_up(c.stage);
    const MasterRecord& opponent = form->masters(2);
    EXPECT_EQ(opponent.name, c.name);
    EXPECT_EQ(opponent.hp, c.hp);
    EXPECT_EQ(opponent.mp_max, c.mp_max);
    EXPECT_EQ(opponent.mv_max, c.mv_max);
    EXPECT_EQ(opponent.mp, 0);
    EXPECT_EQ(opponent.mv, 0);
    const Picture& expected = c.stage == 8 ? form->master2_picture : form->familiars(2, c.stage + 2).picture;
    const Picture& expected_mask = c.stage == 8 ? form->master2_mask : form->familiars(2, c.stage + 2).mask;
    EXPECT_TRUE(opponent.picture.same_as(expected));
    EXPECT_TRUE(opponent.mask.same_as(expected_mask));
    EXPECT_EQ(form->Frame1(2).caption(), c.name);
    EXPECT_EQ(form->Frame1(1).caption(), "ロッタ");
    EXPECT_EQ(form->Label4.caption(), "ステージ " + std::to_string(c.stage) + "\r\n ターン 0");
    EXPECT_EQ(form->buttonturn_end.caption(), "開始");

    for (int kind = 0; kind <= kLastSlot; ++kind) {
        const bool owned = kind <= c.stage + 1;
        EXPECT_EQ(form->familiars(1, kind).owned, owned) << "kind " << kind;
        EXPECT_EQ(form->familiars(2, kind).owned, owned) << "kind " << kind;
        EXPECT_EQ(form->monicon(kind).is_visible(), owned) << "kind " << kind;
    }
    for (int m = 0; m <= kLastMagic; ++m) {
        const bool owned = m < c.stage;
        EXPECT_EQ(form->magics(m).owned, owned) << "Magic " << m;
        EXPECT_EQ(form->mgcicon(m).is_visible(), owned) << "Magic " << m;
    }
    EXPECT_TRUE(form->mashp(2).picture().same_as(form->number_pictures(c.hp)));
    EXPECT_TRUE(form->mashp(1).picture().same_as(form->number_pictures(form->masters(1).hp)));
    for (int side = 1; side <= 2; ++side) {
        EXPECT_TRUE(form->masmp(side).picture().same_as(form->number_pictures(0))) << side;
        EXPECT_TRUE(form->masmv(side).picture().same_as(form->number_pictures(0))) << side;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stages, OpponentTest,
    ::testing::Values(OpponentCase{1, "さらまんだー", 2, 6, 4}, OpponentCase{2, "ぺがさす", 2, 4, 8},
                      OpponentCase{3, "ごーれむ", 2, 10, 4}, OpponentCase{4, "けんたうろす", 3, 7, 9},
                      OpponentCase{5, "とろーる", 3, 10, 8}, OpponentCase{6, "わいばーん", 3, 8, 12},
                      OpponentCase{7, "どらごん", 4, 11, 11}, OpponentCase{8, "？？？", 4, 12, 12}),
    [](const auto& info) { return "stage_" + std::to_string(info.param.stage); });

TEST_F(StageSetupTest, TheHeroineStartsAfreshOnStage1AndKeepsHerGrowthLater) {
    const struct {
        const char* rule;
        int stage;
        int hp, mp_max, mv_max;
    } cases[] = {
        {"stage 1 after a game over resets her", 1, 2, 6, 6},
        {"stage 3 keeps what she grew", 3, 7, 10, 9},
    };
    for (const auto& c : cases) {
        MasterRecord& heroine = form->masters(1);
        heroine.hp = 7;
        heroine.mp_max = 10;
        heroine.mv_max = 9;
        heroine.mp = 4;
        heroine.mv = 3;
        set_up(c.stage);
        EXPECT_EQ(heroine.hp, c.hp) << c.rule;
        EXPECT_EQ(heroine.mp_max, c.mp_max) << c.rule;
        EXPECT_EQ(heroine.mv_max, c.mv_max) << c.rule;
        EXPECT_EQ(heroine.mp, 0) << c.rule;
        EXPECT_EQ(heroine.mv, 0) << c.rule;
        EXPECT_TRUE(form->mashp(1).picture().same_as(form->number_pictures(c.hp))) << c.rule;
    }
}

TEST_F(StageSetupTest, EveryFamiliarStartsAtHomeUnhurtAndUnboostedAndTrapsAreGone) {
    set_up(4);
    for (int side = 1; side <= 2; ++side) {
        for (int slot = 0; slot <= kLastSlot; ++slot) {
            FamiliarRecord& f = form->familiars(side, slot);
            f.square = 6;
            f.damage = 2;
            f.ready = true;
            f.power_bonus = 1;
            f.quick_bonus = 2;
            f.asleep = true;
        }
    }
    for (int square = 1; square <= 12; ++square) form->trap_flags(square) = true;
    form->active_side = kHuman;

    set_up(5);
    for (int side = 1; side <= 2; ++side) {
        for (int slot = 0; slot <= kLastSlot; ++slot) {
            const FamiliarRecord& f = form->familiars(side, slot);
            EXPECT_EQ(f.square, side == 1 ? 0 : 13) << side << "," << slot;
            EXPECT_EQ(f.damage, 0);
            EXPECT_FALSE(f.ready);
            EXPECT_EQ(f.power_bonus, 0);
            EXPECT_EQ(f.quick_bonus, 0);
            EXPECT_TRUE(f.asleep) << "sleep is the turn end's to clear";
        }
    }
    for (int square = 1; square <= 12; ++square) EXPECT_FALSE(form->trap_flags(square)) << square;
    EXPECT_EQ(form->active_side, kHuman) << "the caller sets the active side";
}

}  // namespace
}  // namespace vr::test
