// The info panel: a Familiar's values with its bonuses and damage, a Magic's cost alone.
#include "rules_helpers.h"

namespace vr::test {
namespace {

class InfoPanelTest : public GameTest {
protected:
    InfoPanelTest() { begin_stage(8); }
    bool shows(PictureBox& box, int value) { return box.picture().same_as(form->number_pictures(value)); }
    std::vector<QWidget*> familiar_only() {
        return {&form->hpdice,   &form->mvdice,   &form->atkdice,
                &form->label_hp, &form->label_mv, &form->label_atk};
    }
};

TEST_F(InfoPanelTest, FamiliarValuesIncludeBonusesAndDamageClampedTo0To12) {
    const struct {
        const char* rule;
        int slot, damage, power, quick;
        int hp_shown, atk_shown, mv_shown;
    } cases[] = {
        {"plain values", 2, 0, 0, 0, 3, 3, 2},
        {"power adds to atk and quick to mv", 4, 1, 2, 1, 2, 4, 6},
        {"a fallen Familiar shows 0 left", 1, 2, 0, 0, 0, 1, 3},
        {"more hits than hp still shows 0", 0, 3, 0, 0, 0, 2, 4},
        {"atk above 12 shows 12", 9, 0, 7, 0, 5, 12, 4},
    };
    for (const auto& c : cases) {
        FamiliarRecord& f = form->familiars(2, c.slot);
        f.damage = static_cast<int16_t>(c.damage);
        f.power_bonus = static_cast<int16_t>(c.power);
        f.quick_bonus = static_cast<int16_t>(c.quick);
        form->show_familiar_info(2, c.slot);
        EXPECT_TRUE(shows(form->hpdice, c.hp_shown)) << c.rule;
        EXPECT_TRUE(shows(form->atkdice, c.atk_shown)) << c.rule;
        EXPECT_TRUE(shows(form->mvdice, c.mv_shown)) << c.rule;
        EXPECT_TRUE(shows(form->mpdice, f.cost)) << c.rule;
        EXPECT_TRUE(form->data_pic.picture().same_as(f.picture)) << c.rule << ": side 2's own picture";
        EXPECT_EQ(form->data_text.caption(), f.name + "\r\n" + f.description) << c.rule;
    }
}

TEST_F(InfoPanelTest, MagicShowsOnlyItsCostAndAFamiliarAfterItShowsEverythingAgain) {
    form->show_magic_info(kHighheal);
    EXPECT_EQ(form->data_text.caption(), "HIGH-HEAL\r\nHP３点回復");
    EXPECT_TRUE(form->data_pic.picture().same_as(form->magics(kHighheal).picture));
    EXPECT_TRUE(shows(form->mpdice, 6));
    for (QWidget* control : familiar_only()) EXPECT_TRUE(control->isHidden());
    EXPECT_FALSE(form->mpdice.isHidden());
    EXPECT_FALSE(form->label_mp.isHidden());

    form->show_familiar_info(1, 5);
    for (QWidget* control : familiar_only()) EXPECT_FALSE(control->isHidden());
    EXPECT_TRUE(shows(form->mpdice, 6)) << "golem costs 6 too";
    EXPECT_TRUE(form->data_pic.picture().same_as(form->familiars(1, 5).picture));
}

}  // namespace
}  // namespace vr::test
