// Movement and strikes: one action on a small scene, then the whole outcome (squares, damage,
// Master hp, traps, the marks shown and the pauses requested, in order).
#include "rules_helpers.h"

namespace vr::test {
namespace {

constexpr int kStartHp = 5;

struct Value {
    int side;
    int slot;
    int value;
};

struct ResolutionCase {
    const char* rule;
    const char* before;
    Value mover;  // side, slot, and direction x distance
    std::vector<int> traps = {};
    std::vector<Value> damage = {};
    int power_bonus = 0;  // of the mover
    const char* after = "";
    std::vector<std::string> marks = {};
    std::vector<std::string> pauses = {};
    std::vector<Value> damage_after = {};
    int master1_hp = kStartHp;
    int master2_hp = kStartHp;
};

void PrintTo(const ResolutionCase& c, std::ostream* os) {
    *os << c.rule;
}

class MovementTest : public GameTest {
protected:
    MovementTest() {
        begin_stage(8);
        for (int side = kHuman; side <= kComputer; ++side) {
            form->masters(side).hp = kStartHp;
            form->show_value(form->mashp(side), kStartHp);
        }
        pause.pauses.clear();
    }
    FamiliarRecord& fam(int side, int slot) { return form->familiars(side, slot); }
};

class ResolutionTest : public MovementTest, public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(ResolutionTest, LandingIsResolvedInOrder) {
    const ResolutionCase& c = GetParam();
    scene(c.before);
    for (int square : c.traps) form->trap_flags(square) = true;
    for (const Value& d : c.damage) fam(d.side, d.slot).damage = static_cast<int16_t>(d.value);
    fam(c.mover.side, c.mover.slot).power_bonus = static_cast<int16_t>(c.power_bonus);
    FrameRecorder recorder(form->fld, pause);

    const int direction = c.mover.value < 0 ? -1 : 1;
    form->advance_familiar(c.mover.side, c.mover.slot, direction, std::abs(c.mover.value));

    EXPECT_EQ(field(), c.after);
    EXPECT_EQ(shown_marks(*form, recorder, pause.pauses), c.marks);
    EXPECT_EQ(pause_runs(pause.pauses), c.pauses);
    for (const Value& d : c.damage_after)
        EXPECT_EQ(fam(d.side, d.slot).damage, d.value) << "damage of side " << d.side << " slot " << d.slot;
    EXPECT_EQ(form->masters(1).hp, c.master1_hp);
    EXPECT_EQ(form->masters(2).hp, c.master2_hp);
    for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square)
        EXPECT_FALSE(form->trap_flags(square)) << "every trap here is sprung, square " << square;
    EXPECT_TRUE(form->mashp(2).picture().same_as(form->number_pictures(std::max(0, c.master2_hp))));
    EXPECT_TRUE(form->mashp(1).picture().same_as(form->number_pictures(std::max(0, c.master1_hp))));
}

const ResolutionCase kResolutionCases[] = {
    {.rule = "walk onto an empty square does nothing else",
     .before = "M r1 . . . . . . . . . . . M",
     .mover = {1, 1, +3},
     .after = "M . . . r1 . . . . . . . . M",
     .pauses = {"30x24"}},
    {.rule = "striker pushes the victim by its atk and the victim takes one damage",
     .before = "M r2 . b1 . . . . . . . . . M",
     .mover = {1, 2, +2},
     .after = "M . . r2 . . b1 . . . . . . M",
     .marks = {"hit 3"},
     .pauses = {"30x16", "500", "30x24"},
     .damage_after = {{2, 1, 1}, {1, 2, 0}}},
    {.rule = "striker with atk 2 against def2 pushes 1",
     .before = "M . r0 b5 . . . . . . . . . M",
     .mover = {1, 0, +1},
     .after = "M . . r0 b5 . . . . . . . . M",
     .marks = {"hit 3"},
     .pauses = {"30x8", "500", "30x8"},
     .damage_after = {{2, 5, 1}}},
    {.rule = "striker with atk 5 and power 1 against def2 pushes 4",
     .before = "M r3 b5 . . . . . . . . . . M",
     .mover = {1, 3, +1},
     .power_bonus = 1,
     .after = "M . r3 . . . b5 . . . . . . M",
     .marks = {"hit 2"},
     .pauses = {"30x8", "500", "30x32"}},
    {.rule = "striker with atk 5 against def1 pushes 4",
     .before = "M r7 b9 . . . . . . . . . . M",
     .mover = {1, 7, +1},
     .after = "M . r7 . . . b9 . . . . . . M",
     .marks = {"hit 2"},
     .pauses = {"30x8", "500", "30x32"}},
    {.rule = "a chain pushes each victim on with its own atk and each takes one damage",
     .before = "M r2 . b1 . . b4 . . . . . . M",
     .mover = {1, 2, +2},
     .after = "M . . r2 . . b1 b4 . . . . . M",
     .marks = {"hit 3", "hit 6"},
     .pauses = {"30x16", "500", "30x24", "500", "30x8"},
     .damage_after = {{2, 1, 1}, {2, 4, 1}}},
    {.rule = "friends are struck too and pushed the mover's way",
     .before = "M . . . . . . b1 b2 . . . . M",
     .mover = {2, 1, +1},
     .after = "M . . . . . . . b1 b2 . . . M",
     .marks = {"hit 8"},
     .pauses = {"30x8", "500", "30x8"},
     .damage_after = {{2, 2, 1}}},
    {.rule = "a victim whose damage reaches hp falls where it was pushed and keeps its damage",
     .before = "M r2 . b1 . . . . . . . . . M",
     .mover = {1, 2, +2},
     .damage = {{2, 1, 1}},
     .after = "M . . r2 . . . . . . . . . M",
     .marks = {"hit 3", "fall 6"},
     .pauses = {"30x16", "500", "30x24", "500"},
     .damage_after = {{2, 1, 2}}},
    {.rule = "a trap under a falling victim is consumed and the fall mark is on its home square",
     .before = "M r2 . b1 . . . . . . . . . M",
     .mover = {1, 2, +2},
     .traps = {6},
     .damage = {{2, 1, 1}},
     .after = "M . . r2 . . . . . . . . . M",
     .marks = {"hit 3", "trap 6", "fall 13"},
     .pauses = {"30x16", "500", "30x24", "500x2"}},
    {.rule = "a trap sends its own side's Familiar home too and works once",
     .before = "M r1 . . . . . . . . . . . M",
     .mover = {1, 1, +3},
     .traps = {4},
     .after = "M . . . . . . . . . . . . M",
     .marks = {"trap 4"},
     .pauses = {"30x24", "500"}},
    {.rule = "side 1 landing exactly on 13 hits Master 2 once and goes home",
     .before = "M . . . . . . . . . r4 . . M",
     .mover = {1, 4, +3},
     .after = "M . . . . . . . . . . . . M",
     .marks = {"hit 13"},
     .pauses = {"30x24", "500"},
     .master2_hp = kStartHp - 1},
    {.rule = "side 1 pushed to 14 goes home without a hit",
     .before = "M . . . . . . . . . . . r1 M",
     .mover = {1, 1, +2},
     .after = "M . . . . . . . . . . . . M",
     .pauses = {"30x16"}},
    {.rule = "side 2 pushed by side 1 onto 13 goes home without effect",
     .before = "M . . . . . . . . . r0 b1 . M",
     .mover = {1, 0, +1},
     .after = "M . . . . . . . . . . r0 . M",
     .marks = {"hit 11"},
     .pauses = {"30x8", "500", "30x16"}},
    {.rule = "side 2 pushed onto 0 by a friend hits Master 1",
     .before = "M . b1 b0 . . . . . . . . . M",
     .mover = {2, 0, -1},
     .after = "M . b0 . . . . . . . . . . M",
     .marks = {"hit 2", "hit 0"},
     .pauses = {"30x8", "500", "30x16", "500"},
     .master1_hp = kStartHp - 1},
    {.rule = "side 1 pushed onto its own square 0 goes home without a hit",
     .before = "M . r1 b0 . . . . . . . . . M",
     .mover = {2, 0, -1},
     .after = "M . b0 . . . . . . . . . . M",
     .marks = {"hit 2"},
     .pauses = {"30x8", "500", "30x16"}},
    {.rule = "side 1 pushed past the left end stops hopping at x -36 and goes home",
     .before = "M . r1 b3 . . . . . . . . . M",
     .mover = {2, 3, -1},
     .after = "M . b3 . . . . . . . . . . M",
     .marks = {"hit 2"},
     .pauses = {"30x8", "500", "30x25"}},
    {.rule = "slot 0 falls and comes back with damage 0",
     .before = "M . . r2 . b0 . . . . . . . M",
     .mover = {1, 2, +2},
     .after = "M . . . . r2 . . . . . . . M",
     .marks = {"hit 5", "fall 8"},
     .pauses = {"30x16", "500", "30x24", "500"},
     .damage_after = {{2, 0, 0}}},
};

INSTANTIATE_TEST_SUITE_P(Landings, ResolutionTest, ::testing::ValuesIn(kResolutionCases),
                         [](const auto& info) {
                             std::string name = info.param.rule;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST_F(MovementTest, AHitOnAMasterAlreadyAt0TakesItBelow0) {
    // Set up separately: the table above starts every Master at the same hp.
    scene("M . . . . . . . . . . . r4 M");
    form->masters(2).hp = 0;
    form->advance_familiar(1, 4, +1, 1);
    EXPECT_EQ(form->masters(2).hp, -1);
    EXPECT_TRUE(form->mashp(2).picture().same_as(form->number_pictures(0)));
}

TEST_F(MovementTest, MoveSpendsMvClearsReadyAndTheModeThenWalks) {
    scene("M . r1 . . . . . . . . . . M");
    form->active_side = kHuman;
    form->masters(1).mv = 5;
    fam(1, 1).ready = true;
    form->ActionMode = "move2";
    FrameRecorder recorder(form->fld, pause);
    form->move_familiar(1, 1, +1, 3);
    EXPECT_EQ(field(), "M . . . . r1 . . . . . . . M");
    EXPECT_EQ(form->masters(1).mv, 2);
    EXPECT_TRUE(form->masmv(1).picture().same_as(form->number_pictures(2)));
    EXPECT_FALSE(fam(1, 1).ready);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(recorder.frames.size(), 1u + 24u + 1u) << "a refresh before the hop's 24 and the redraw after";
}

TEST_F(MovementTest, MoveOfDistance0StaysPutAndStrikesNobody) {
    scene("M . . . r1 b2 . . . . . . . M");
    form->active_side = kHuman;
    form->masters(1).mv = 0;
    fam(1, 1).ready = true;
    form->move_familiar(1, 1, +1, 0);
    EXPECT_EQ(field(), "M . . . r1 b2 . . . . . . . M");
    EXPECT_FALSE(fam(1, 1).ready);
    EXPECT_EQ(fam(2, 2).damage, 0);
    EXPECT_TRUE(pause.pauses.empty());
    EXPECT_EQ(form->masters(1).mv, 0);
}

struct BowCase {
    const char* rule;
    const char* before;
    int direction;
    int distance;
    const char* after;
    std::vector<std::string> marks;
    std::vector<std::string> pauses;
    int master2_hp;
};

void PrintTo(const BowCase& c, std::ostream* os) {
    *os << c.rule;
}

class BowTest : public MovementTest, public ::testing::WithParamInterface<BowCase> {};

TEST_P(BowTest, BowBearerShootsOnlyAtAFieldSquareWithSomeoneOnIt) {
    const BowCase& c = GetParam();
    scene(c.before);
    form->active_side = kHuman;
    form->masters(1).mv = 9;
    FrameRecorder recorder(form->fld, pause);
    form->move_familiar(1, 6, c.direction, c.distance);
    EXPECT_EQ(field(), c.after);
    EXPECT_EQ(shown_marks(*form, recorder, pause.pauses), c.marks);
    EXPECT_EQ(pause_runs(pause.pauses), c.pauses);
    EXPECT_EQ(form->masters(1).mv, 9 - c.distance) << "MV is spent even when it shoots";
    EXPECT_EQ(form->masters(2).hp, c.master2_hp);
}

INSTANTIATE_TEST_SUITE_P(
    Bow, BowTest,
    ::testing::Values(BowCase{"bow with a Familiar on its destination shoots it and stays",
                              "M . r6 . . b2 . . . . . . . M",
                              +1,
                              3,
                              "M . r6 . . . . . b2 . . . . M",
                              {"hit 5"},
                              {"500", "30x24"},
                              kStartHp},
                      BowCase{"bow shoots a friend as well",
                              "M . r6 . r1 . . . . . . . . M",
                              +1,
                              2,
                              "M . r6 . . . . r1 . . . . . M",
                              {"hit 4"},
                              {"500", "30x24"},
                              kStartHp},
                      BowCase{"bow with an empty destination walks there",
                              "M . r6 . . . . . . . . . . M",
                              +1,
                              3,
                              "M . . . . r6 . . . . . . . M",
                              {},
                              {"30x24"},
                              kStartHp},
                      BowCase{"bow walking onto the enemy Master hits it",
                              "M . . . . . . . . . . r6 . M",
                              +1,
                              2,
                              "M . . . . . . . . . . . . M",
                              {"hit 13"},
                              {"30x16", "500"},
                              kStartHp - 1},
                      BowCase{"bow shoots backwards too",
                              "M . b1 . . r6 . . . . . . . M",
                              -1,
                              3,
                              "M . . . . r6 . . . . . . . M",
                              {"hit 2"},
                              {"500", "30x24"},
                              kStartHp}),
    [](const auto& info) {
        std::string name = info.param.rule;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST_F(MovementTest, ReturnToMasterClearsReadyAndBonusesAndShowsSide1sIcon) {
    const struct {
        const char* rule;
        int side;
        int slot;
        int home;
        int damage_after;
        bool icon_visible;
    } cases[] = {
        {"side 1 keeps its damage and its icon shows again", 1, 3, 0, 1, true},
        {"slot 0 comes back unhurt", 1, 0, 0, 0, true},
        {"side 2 goes to 13 and side 1's icon stays hidden", 2, 3, 13, 1, false},
    };
    for (const auto& c : cases) {
        FamiliarRecord& f = fam(c.side, c.slot);
        f.square = 6;
        f.ready = true;
        f.power_bonus = 2;
        f.quick_bonus = 1;
        f.damage = 1;
        f.asleep = true;
        form->monicon(c.slot).set_visible(false);
        form->return_to_master(c.side, c.slot);
        EXPECT_EQ(f.square, c.home) << c.rule;
        EXPECT_FALSE(f.ready) << c.rule;
        EXPECT_EQ(f.power_bonus, 0) << c.rule;
        EXPECT_EQ(f.quick_bonus, 0) << c.rule;
        EXPECT_EQ(f.damage, c.damage_after) << c.rule;
        EXPECT_TRUE(f.asleep) << c.rule << ": sleep is not touched";
        EXPECT_EQ(form->monicon(c.slot).is_visible(), c.icon_visible) << c.rule;
    }
}

TEST_F(MovementTest, RangeIsTheSmallerOfMasterMvAndFamiliarMvPlusQuick) {
    const struct {
        const char* rule;
        int master_mv;
        int quick;
        int range;
    } cases[] = {
        {"the Master's MV limits", 2, 0, 2},
        {"the Familiar's mv limits", 9, 0, 3},
        {"quick adds to the Familiar's mv", 9, 2, 5},
        {"no MV left gives 0", 0, 1, 0},
    };
    for (const auto& c : cases) {
        form->masters(1).mv = static_cast<int16_t>(c.master_mv);
        fam(1, 1).quick_bonus = static_cast<int16_t>(c.quick);  // fairy, mv 3
        EXPECT_EQ(form->move_range(1, 1), c.range) << c.rule;
    }
}

}  // namespace
}  // namespace vr::test
