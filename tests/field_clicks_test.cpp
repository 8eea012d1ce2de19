// Presses and pointing on the field: the accepted band, choosing a mover and its destination,
// and the Magic targets chosen on the field.
#include "play_helpers.h"

namespace vr::test {
namespace {

class FieldClicks : public PlayTest {
protected:
    // Side 1 to play on stage 8 with the given MV, its Familiars on the field ready.
    void position(const std::string& picture, int mv) {
        begin_play(kLastStage);
        scene(picture);
        form->active_side = kHuman;
        form->masters(kHuman).mv_max = kLargestValue;
        form->masters(kHuman).mv = static_cast<int16_t>(mv);
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            FamiliarRecord& familiar = form->familiars(kHuman, slot);
            familiar.ready = on_field(familiar.square);
        }
    }
};

struct PressCase {
    const char* rule;
    float x, y;
    bool chooses;  // the press picks r1 on square 1
};

const PressCase kPressCases[] = {
    {"a press inside square 1 counts", 48, 24, true},
    {"y exactly 8 is ignored by a press", 48, 8, false},
    {"y exactly 40 is ignored by a press", 48, 40, false},
    {"y just inside the band counts", 33, 8.5f, true},
    {"the left edge of square 1 is square 1", 32, 39.5f, true},
    {"just left of square 1 is square 0", 31.9f, 24, false},
};

class FieldPressBand : public FieldClicks, public ::testing::WithParamInterface<PressCase> {};

TEST_P(FieldPressBand, OnlyPressesStrictlyInsideTheBandChooseAMover) {
    const PressCase& c = GetParam();
    position("M r1 . . . . . . . . . . . M", 3);
    form->buttonmove_Click();
    form->fld_MouseDown(1, 0, c.x, c.y);
    EXPECT_EQ(form->ActionMode, c.chooses ? "move2" : "move");
}

INSTANTIATE_TEST_SUITE_P(Rows, FieldPressBand, ::testing::ValuesIn(kPressCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

TEST_F(FieldClicks, XExactlyZeroOr448IsIgnoredButEverySquareBetweenIsReached) {
    position("M . . . . . . . . . . . r4 M", 1);
    form->buttonmove_Click();
    form->fld_MouseDown(1, 0, 448, 24);
    form->fld_MouseDown(1, 0, 0, 24);
    EXPECT_EQ(form->ActionMode, "move");
    form->fld_MouseDown(1, 0, 12 * 32 + 31.5f, 24);
    EXPECT_EQ(form->ActionMode, "move2");
}

TEST_F(FieldClicks, ChoosingAMoverOffersBothDestinationsAndAPressMovesIt) {
    position("M . . r3 . . . . . . . . . M", 2);
    form->buttonmove_Click();
    press_square(*form, 3);
    EXPECT_EQ(form->navi.caption(), "移動先を選んでください");
    EXPECT_EQ(form->back_destination, 1);
    EXPECT_EQ(form->forward_destination, 5);
    EXPECT_EQ(form->selected_slot, 3);
    press_square(*form, 4);
    EXPECT_EQ(form->ActionMode, "move2") << "an unmarked square leaves the choice open";
    press_square(*form, 1);
    EXPECT_EQ(field(), "M r3 . . . . . . . . . . . M");
    EXPECT_EQ(form->masters(kHuman).mv, 0);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");
    press_square(*form, 1);
    EXPECT_EQ(field(), "M r3 . . . . . . . . . . . M") << "a further press does nothing";
}

TEST_F(FieldClicks, AMoverThatHasMovedCannotBeChosen) {
    position("M . . r3 . . . . . . . . . M", 2);
    form->familiars(kHuman, 3).ready = false;
    form->buttonmove_Click();
    press_square(*form, 3);
    EXPECT_EQ(form->ActionMode, "move");
}

TEST_F(FieldClicks, ForwardOntoSquare13HitsTheMasterAndTheVictoryCheckFollows) {
    position("M . . . . . . . . . . r1 . M", 2);
    form->masters(kComputer).hp = 1;
    form->buttonmove_Click();
    press_square(*form, 11);
    press_square(*form, 13);
    EXPECT_TRUE(form->frame_epilogue.is_visible());
    EXPECT_EQ(form->stage, 1) << "stage 8 cleared leads to the epilogue and stage 1 behind it";
}

TEST_F(FieldClicks, ABackDestinationOfExactlyZeroIsNotOffered) {
    position("M . r1 . . . . . . . . . . M", 2);
    form->buttonmove_Click();
    press_square(*form, 2);
    EXPECT_EQ(form->back_destination, 0);
    press_square(*form, 0);
    EXPECT_EQ(field(), "M . r1 . . . . . . . . . . M");
    EXPECT_EQ(form->ActionMode, "move2");
}

TEST_F(FieldClicks, RangeZeroMovesNowhereButSpendsTheReadiness) {
    position("M . . . r1 . . . . . . . . M", 0);
    form->buttonmove_Click();
    press_square(*form, 4);
    press_square(*form, 4);
    EXPECT_EQ(field(), "M . . . r1 . . . . . . . . M");
    EXPECT_FALSE(form->familiars(kHuman, 1).ready);
    EXPECT_EQ(form->ActionMode, "");
}

TEST_F(FieldClicks, SleepTargetsOnlyEnemiesAndMeteorAnyOccupiedSquare) {
    position("M . r1 . b1 . . . . . . . . M", 0);
    form->masters(kHuman).mp = 9;
    form->buttonmagic_Click();
    press_magic_icon(*form, kSleep);
    press_square(*form, 2);
    EXPECT_EQ(form->ActionMode, "sleep") << "an own Familiar carries no flag";
    press_square(*form, 4);
    EXPECT_TRUE(form->familiars(kComputer, 1).asleep);
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");

    form->buttonmagic_Click();
    press_magic_icon(*form, kMeteor);
    press_square(*form, 13);
    EXPECT_EQ(form->ActionMode, "meteor") << "a Master's square is never a target";
    press_square(*form, 2);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->masters(kHuman).mp, 0);
}

TEST_F(FieldClicks, PressesOutsideSideOnesTurnDoNothingEvenWithACommandLeftOver) {
    // A load in the middle of a command leaves its mode behind, with side 2 to move.
    position("M . . r3 . . . . . . . . . M", 2);
    form->buttonmove_Click();
    press_square(*form, 3);
    form->active_side = kComputer;
    press_square(*form, 5);
    EXPECT_EQ(field(), "M . . r3 . . . . . . . . . M");
    EXPECT_EQ(form->masters(kHuman).mv, 2);
    EXPECT_EQ(form->masters(kComputer).mv, 0);
}

TEST_F(FieldClicks, PointingShowsTheFamiliarUnderThePointerIncludingTheBandEdges) {
    position("M . . . . . . . . . . . b9 M", 0);
    form->show_familiar_info(kHuman, 0);
    form->fld_MouseMove(0, 0, 12 * 32 + 1, 40);
    EXPECT_EQ(form->data_pic.picture().source(), form->familiars(kComputer, 9).picture.source());
    form->show_familiar_info(kHuman, 0);
    form->fld_MouseMove(0, 0, 12 * 32 + 1, 41);
    form->fld_MouseMove(0, 0, 13 * 32 + 1, 24);
    EXPECT_EQ(form->data_pic.picture().source(), form->familiars(kHuman, 0).picture.source());
}

}  // namespace
}  // namespace vr::test
