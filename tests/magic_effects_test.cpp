// The eight Magics: what each does to its target, what it costs, and whether its picture flies.
#include <algorithm>

#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr int kFlightRest = 300;  // the projectile rests on its target this long

struct MagicCase {
    const char* rule;
    int caster;
    int magic;
    int argument;  // target slot, or square for trap and meteor
    const char* before;
    int damage_before;  // given to the Familiar `watch` names
    const char* after;
    int watch_side, watch_slot, damage_after;
    bool flies;
};

const MagicCase kMagicCases[] = {
    {"heal lowers damage by one", kHuman, kHeal, 2, "M . r2 . . . . . . . . . . M", 2,
     "M . r2 . . . . . . . . . . M", kHuman, 2, 1, true},
    {"heal on a Familiar in reserve works without a flight", kHuman, kHeal, 2, "M . . . . . . . . . . . . M",
     3, "M . . . . . . . . . . . . M", kHuman, 2, 2, false},
    {"heal has no lower bound: an unhurt Familiar goes to damage -1", kHuman, kHeal, 2,
     "M . . . . . . . . . . . . M", 0, "M . . . . . . . . . . . . M", kHuman, 2, -1, false},
    {"highheal on damage 2 leaves 0", kHuman, kHighheal, 7, "M . . . r7 . . . . . . . . M", 2,
     "M . . . r7 . . . . . . . . M", kHuman, 7, 0, true},
    {"bullet pushes a def2 Familiar the full 2 squares", kHuman, kBullet, 5, "M . . . . b5 . . . . . . . M",
     0, "M . . . . . . b5 . . . . . M", kComputer, 5, 1, true},
    {"bullet cast by side 2 pushes towards square 0", kComputer, kBullet, 1, "M . . . . r1 . . . . . . . M",
     0, "M . . r1 . . . . . . . . . M", kHuman, 1, 1, true},
    {"bullet off the far end sends the victim home", kHuman, kBullet, 1, "M . . . . . . . . . . . b1 M", 0,
     "M . . . . . . . . . . . . M", kComputer, 1, 1, true},
    {"meteor on 2 covers squares 1 to 4 and pushes each side away from the centre", kHuman, kMeteor, 2,
     "M r0 b1 . b4 b5 . . . . . . . M", 0, "M . . . . b1 b5 b4 . . . . . M", kComputer, 5, 1, true},
    {"meteor hits friend and foe and a pushed victim strikes its landing square", kComputer, kMeteor, 12,
     "M . . . . . . r1 . . b2 . b3 M", 0, "M . . . r1 . . b2 . b3 . . . M", kHuman, 1, 1, true},
};

class MagicRules : public PlayTest, public ::testing::WithParamInterface<MagicCase> {};

TEST_P(MagicRules, EffectCostAndFlight) {
    const MagicCase& c = GetParam();
    begin_play(kLastStage);
    scene(c.before);
    form->familiars(c.watch_side, c.watch_slot).damage = static_cast<int16_t>(c.damage_before);
    form->active_side = static_cast<int16_t>(c.caster);
    const int mp = kLargestValue;
    form->masters(c.caster).mp = static_cast<int16_t>(mp);
    form->ActionMode = kMagicKeywords[c.magic];
    pause.pauses.clear();

    switch (c.magic) {
        case kHeal:
            form->cast_heal(c.argument);
            break;
        case kHighheal:
            form->cast_highheal(c.argument);
            break;
        case kBullet:
            form->cast_bullet(c.argument);
            break;
        case kMeteor:
            form->cast_meteor(c.argument);
            break;
    }

    EXPECT_EQ(field(), c.after);
    EXPECT_EQ(form->familiars(c.watch_side, c.watch_slot).damage, c.damage_after);
    EXPECT_EQ(form->masters(c.caster).mp, mp - form->magics(c.magic).cost);
    EXPECT_EQ(form->ActionMode, "");
    const bool flew = std::find(pause.pauses.begin(), pause.pauses.end(), kFlightRest) != pause.pauses.end();
    EXPECT_EQ(flew, c.flies);
}

INSTANTIATE_TEST_SUITE_P(Rows, MagicRules, ::testing::ValuesIn(kMagicCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

using MagicEffects = PlayTest;

TEST_F(MagicEffects, SleepQuickPowerAndTrapSetTheirMarksAndPay) {
    begin_play(kLastStage);
    scene("M . r4 . . b1 . . . . . . . M");
    form->active_side = kHuman;
    form->masters(kHuman).mp = 3 + 4 + 5 + 5;
    form->cast_sleep(1);
    form->cast_quick(4);
    form->cast_power(4);
    form->cast_trap(9);
    EXPECT_TRUE(form->familiars(kComputer, 1).asleep);
    EXPECT_FALSE(form->familiars(kHuman, 1).asleep) << "sleep aims at the enemy's slot";
    EXPECT_EQ(form->familiars(kHuman, 4).quick_bonus, 1);
    EXPECT_EQ(form->familiars(kHuman, 4).power_bonus, 1);
    EXPECT_TRUE(form->trap_flags(9));
    EXPECT_EQ(form->masters(kHuman).mp, 0) << "sleep 3, quick 4, power 5, trap 5";
}

TEST_F(MagicEffects, MeteorPushingOwnFamiliarOntoSquare13HitsMasterTwo) {
    begin_play(kLastStage);
    scene("M . . . . . . . . . r1 . . M");
    form->active_side = kHuman;
    form->masters(kHuman).mp = 6;
    const int hp = form->masters(kComputer).hp;
    form->cast_meteor(10);
    EXPECT_EQ(form->masters(kComputer).hp, hp - 1);
    EXPECT_EQ(form->familiars(kHuman, 1).square, kHumanHome);
}

}  // namespace
}  // namespace vr::test
