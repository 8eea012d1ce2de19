// Command buttons: the mode each sets, the cursor marks on what may be used, the navi line.
#include "rules_helpers.h"

namespace vr::test {
namespace {

class CommandButtonsTest : public GameTest {
protected:
    CommandButtonsTest() {
        begin_stage(8);
        form->active_side = kHuman;
    }
    bool marked(PictureBox& icon) {
        return shows_sprite(icon.image(), form->cursor_picture, form->cursor_mask, 0, 0);
    }
    Sprite cursor_on(int square) { return {&form->cursor_picture, &form->cursor_mask, 32 * square, 8}; }
};

TEST_F(CommandButtonsTest, DuringSide2sTurnTheButtonsDoNothingAtAll) {
    form->active_side = kComputer;
    form->ActionMode = "heal";
    form->navi.set_caption("before");
    form->masters(1).mp = 12;
    form->draw_cursor_on_square(4);
    const QImage field = form->fld.image();
    FrameRecorder recorder(form->fld, pause);
    form->buttonmove_Click();
    form->buttonsummon_Click();
    form->buttonmagic_Click();
    EXPECT_EQ(form->ActionMode, "heal");
    EXPECT_EQ(form->navi.caption(), "before");
    EXPECT_TRUE(recorder.frames.empty());
    EXPECT_EQ(form->fld.image(), field);
    for (int i = 0; i <= kLastSlot; ++i) EXPECT_FALSE(marked(form->monicon(i))) << i;
}

TEST_F(CommandButtonsTest, MoveMarksReadySide1FamiliarsOnTheField) {
    scene("M . . r1 . r2 . b3 . . . . r4 M");
    form->familiars(1, 1).ready = true;
    form->familiars(1, 2).ready = false;  // already moved
    form->familiars(2, 3).ready = true;   // not ours
    form->familiars(1, 4).ready = true;
    form->familiars(1, 0).ready = true;  // at home
    form->masters(1).mv = 0;             // not tested: a ready Familiar is marked all the same
    form->buttonmove_Click();
    EXPECT_EQ(form->ActionMode, "move");
    EXPECT_EQ(form->navi.caption(), "移動させる使い魔を選んでください");
    EXPECT_EQ(form->fld.image(), compose(*form,
                                         {familiar_at(*form, 1, 1, 96), familiar_at(*form, 1, 2, 160),
                                          familiar_at(*form, 1, 4, 384), familiar_at(*form, 2, 3, 224)},
                                         {cursor_on(3), cursor_on(12)}));

    form->familiars(1, 1).ready = false;
    form->familiars(1, 4).ready = false;
    form->buttonmove_Click();
    EXPECT_EQ(form->navi.caption(), "移動できる使い魔がいません");
    EXPECT_EQ(form->ActionMode, "move");
}

TEST_F(CommandButtonsTest, SummonOffersOwnedUnfallenKindsInReserveThatTheMasterCanPayFor) {
    const struct {
        const char* rule;
        int slot;  // costs: 0:3 1:3 2:4 3:4 4:5 5:6
        bool owned;
        int square;
        int damage;
        bool offered;
    } cases[] = {
        {"a kind in reserve with cost below mp", 0, true, 0, 0, true},
        {"cost equal to mp", 4, true, 0, 0, true},
        {"cost above mp", 5, true, 0, 0, false},
        {"at the opponent's home square counts as reserve", 1, true, 13, 0, true},
        {"on the field", 2, true, 6, 0, false},
        {"not owned", 3, false, 0, 0, false},
        {"damage equal to hp has fallen", 7, true, 0, 5, false},
        {"damaged but standing", 8, true, 0, 3, false},
    };
    form->masters(1).mp = 5;
    for (const auto& c : cases) {
        FamiliarRecord& f = form->familiars(1, c.slot);
        f.owned = c.owned;
        f.square = static_cast<int16_t>(c.square);
        f.damage = static_cast<int16_t>(c.damage);
    }
    form->familiars(1, 6).owned = false;
    form->familiars(1, 9).owned = false;
    form->buttonsummon_Click();
    EXPECT_EQ(form->ActionMode, "summon");
    EXPECT_EQ(form->navi.caption(), "召喚する使い魔を選んでください");
    for (const auto& c : cases) EXPECT_EQ(marked(form->monicon(c.slot)), c.offered) << c.rule;

    form->masters(1).mp = 2;
    form->buttonsummon_Click();
    EXPECT_EQ(form->navi.caption(), "召喚できる使い魔がいません");
    for (int i = 0; i <= kLastSlot; ++i) EXPECT_FALSE(marked(form->monicon(i))) << "reset wipes mark " << i;
}

TEST_F(CommandButtonsTest, MagicMarksEveryMagicTheMasterCanPayFor) {
    const struct {
        const char* rule;
        int mp;
        int affordable;  // Magics 0..affordable-1 cost at most mp
        const char* navi;
    } cases[] = {
        {"mp 2 pays for nothing", 2, 0, "使える魔法がありません"},
        {"mp 3 pays for sleep and heal", 3, 2, "魔法を選んでください"},
        {"mp 5 pays for all but highheal and meteor", 5, 6, "魔法を選んでください"},
        {"mp 6 pays for all", 6, 8, "魔法を選んでください"},
    };
    for (const auto& c : cases) {
        form->masters(1).mp = static_cast<int16_t>(c.mp);
        form->buttonmagic_Click();
        EXPECT_EQ(form->ActionMode, "magic") << c.rule;
        EXPECT_EQ(form->navi.caption(), c.navi) << c.rule;
        for (int m = 0; m <= kLastMagic; ++m)
            EXPECT_EQ(marked(form->mgcicon(m)), m < c.affordable) << c.rule << " " << m;
    }
}

TEST_F(CommandButtonsTest, MoveAfterMagicWipesTheIconMarksAndTheFieldMarks) {
    scene("M . . . . . . . . . . . . M");
    form->masters(1).mp = 6;
    form->buttonmagic_Click();
    form->draw_cursor_on_square(5);
    ASSERT_TRUE(marked(form->mgcicon(7)));
    form->buttonmove_Click();
    for (int m = 0; m <= kLastMagic; ++m) EXPECT_FALSE(marked(form->mgcicon(m))) << m;
    for (int m = 0; m <= kLastMagic; ++m)
        EXPECT_TRUE(form->mgcicon(m).picture().same_as(form->magics(m).picture));
    EXPECT_EQ(form->fld.image(), compose(*form, {}));
    EXPECT_EQ(form->ActionMode, "move");
}

}  // namespace
}  // namespace vr::test
