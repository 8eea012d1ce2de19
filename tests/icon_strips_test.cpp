// The icon strips: summoning from the familiar strip, choosing a Magic with its targets, heal
// targets in reserve, and the info panel when pointing.
#include "play_helpers.h"

namespace vr::test {
namespace {

struct TargetCase {
    const char* rule;
    int magic;
    const char* picture;
    int mp;
    const char* navi;
    const char* marked;  // "r3 b1 s4 i2": Familiars by side and slot, squares, monicon icons
};

const TargetCase kTargetCases[] = {
    {"sleep offers every enemy on the field", kSleep, "M r1 b1 . . . . . . . . . b2 M", 3,
     "魔法の対象を選んでください", "b1 b2"},
    {"heal offers own damaged Familiars on the field and in reserve", kHeal, "M . r1 . . . . . . . . . . M",
     3, "魔法の対象を選んでください", "r1 r2"},
    {"bullet offers every enemy on the field", kBullet, "M r1 . . . . b3 . . . . . . M", 4,
     "魔法の対象を選んでください", "b3"},
    {"quick stops offering at mv plus bonus 6", kQuick, "M r4 r1 . . . . . . . . . . M", 4,
     "魔法の対象を選んでください", "r1"},
    {"power offers own Familiars on the field below atk 6", kPower, "M r9 r3 . . . . . . . . . . M", 5,
     "魔法の対象を選んでください", "r3"},
    {"trap offers every square without a Familiar", kTrap, "M r1 b1 . . . . . . . . . . M", 5,
     "魔法をかける地点を選んでください", "s3 s4 s5 s6 s7 s8 s9 s10 s11 s12"},
    {"highheal offers only damaged Familiars on the field", kHighheal, "M . r1 . . . . . . . . . . M", 6,
     "魔法の対象を選んでください", "r1"},
    {"meteor offers all twelve squares", kMeteor, "M r1 b1 . . . . . . . . . . M", 6,
     "魔法をかける地点を選んでください", "s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 s11 s12"},
    {"an affordable Magic without a target says so and keeps its keyword", kBullet,
     "M r1 . . . . . . . . . . . M", 4, "魔法の対象がありません", ""},
};

std::string flagged(const GameForm& form) {
    std::string out;
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            if (form.target_familiars(side, slot))
                out += (side == kHuman ? " r" : " b") + std::to_string(slot);
        }
    }
    for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square) {
        if (form.target_squares(square)) out += " s" + std::to_string(square);
    }
    return out.empty() ? out : out.substr(1);
}

class MagicTargets : public PlayTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(MagicTargets, IconPressSetsTheFlagsTheModeAndTheMessage) {
    const TargetCase& c = GetParam();
    begin_play(kLastStage);
    scene(c.picture);
    form->active_side = kHuman;
    form->masters(kHuman).mp = static_cast<int16_t>(c.mp);
    // r1 is hurt in every row; r2 in reserve is hurt too; the pegasus (mv 5) has had one quick.
    form->familiars(kHuman, 1).damage = 1;
    form->familiars(kHuman, 2).damage = 1;
    form->familiars(kHuman, 4).quick_bonus = 1;
    form->buttonmagic_Click();
    press_magic_icon(*form, c.magic);
    EXPECT_EQ(flagged(*form), c.marked);
    EXPECT_EQ(form->ActionMode, kMagicKeywords[c.magic]);
    EXPECT_EQ(form->navi.caption(), c.navi);
}

INSTANTIATE_TEST_SUITE_P(Rows, MagicTargets, ::testing::ValuesIn(kTargetCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

using IconStrips = PlayTest;

TEST_F(IconStrips, AReserveHealTargetIsMarkedOnItsIconAndAFieldTargetOnItsSquare) {
    begin_play(kLastStage);
    scene("M . r1 . . . . . . . . . . M");
    form->active_side = kHuman;
    form->masters(kHuman).mp = 3;
    form->familiars(kHuman, 1).damage = 1;
    form->familiars(kHuman, 2).damage = 1;
    form->buttonmagic_Click();
    const QImage plain_icon = form->monicon(2).image();
    const QImage plain_field = form->fld.image();
    press_magic_icon(*form, kHeal);
    EXPECT_NE(form->monicon(2).image(), plain_icon) << "the reserve Familiar's icon carries the mark";
    EXPECT_NE(form->fld.image(), plain_field) << "the one on the field is marked on its square";
    press_familiar_icon(*form, 2);
    EXPECT_EQ(form->familiars(kHuman, 2).damage, 0);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->navi.caption(), "魔法の対象を選んでください")
        << "an icon heal leaves the message as it was";
}

TEST_F(IconStrips, AnUnaffordableMagicKeepsTheMagicModeAndSaysThereIsNoTarget) {
    begin_play(kLastStage);
    scene("M . . . . . b1 . . . . . . M");
    form->active_side = kHuman;
    form->masters(kHuman).mp = 3;
    form->buttonmagic_Click();
    press_magic_icon(*form, kBullet);
    EXPECT_EQ(form->ActionMode, "magic");
    EXPECT_EQ(form->navi.caption(), "魔法の対象がありません");
    press_magic_icon(*form, kSleep);
    EXPECT_EQ(form->ActionMode, "sleep");
    press_magic_icon(*form, kSleep);
    EXPECT_EQ(form->ActionMode, "sleep") << "a second icon press needs the magic button again";
}

TEST_F(IconStrips, SummonFromTheStripAndHighhealOnAnUnmarkedReserveIcon) {
    begin_play(kLastStage);
    form->active_side = kHuman;
    form->masters(kHuman).mp = 12;
    form->buttonsummon_Click();
    press_familiar_icon(*form, 4);
    EXPECT_EQ(field(), "M . . . . r4 . . . . . . . M");
    EXPECT_FALSE(form->monicon(4).is_visible());
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");
    EXPECT_EQ(form->masters(kHuman).mp, 7);

    form->familiars(kHuman, 5).damage = 2;
    form->buttonmagic_Click();
    press_magic_icon(*form, kHighheal);
    EXPECT_FALSE(form->target_familiars(kHuman, 5)) << "highheal marks only Familiars on the field";
    press_familiar_icon(*form, 5);
    EXPECT_EQ(form->familiars(kHuman, 5).damage, 0);
    EXPECT_EQ(form->masters(kHuman).mp, 1);
}

TEST_F(IconStrips, InSummonModeAFallenFamiliarsIconDoesNothing) {
    begin_play(kLastStage);
    form->active_side = kHuman;
    form->masters(kHuman).mp = 12;
    FamiliarRecord& fallen = form->familiars(kHuman, 2);
    fallen.damage = fallen.hp;
    form->buttonsummon_Click();
    const QImage marked_strip = form->monicon(0).image();
    press_familiar_icon(*form, 2);
    EXPECT_EQ(field(), "M . . . . . . . . . . . . M");
    EXPECT_EQ(form->masters(kHuman).mp, 12);
    EXPECT_EQ(form->ActionMode, "summon");
    EXPECT_EQ(form->navi.caption(), "召喚する使い魔を選んでください");
    EXPECT_EQ(form->monicon(0).image(), marked_strip) << "the summon button's marks stay";
}

TEST_F(IconStrips, PointingShowsSideOnesFamiliarOrTheMagic) {
    begin_play(kLastStage);
    form->monicon_MouseMove(9, 0, 0, 5, 5);
    EXPECT_EQ(form->data_pic.picture().source(), "vr_data\\r-drgn.bmp");
    form->mgcicon_MouseMove(kMeteor, 0, 0, 5, 5);
    EXPECT_EQ(form->data_pic.picture().source(), "vr_data\\meteor.bmp");
}

}  // namespace
}  // namespace vr::test
