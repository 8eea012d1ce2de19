// The victory check: which Master fell, the mark over it, the pause, and the hand-over.
#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr int kFallenMasterPause = 1000;

struct VictoryCase {
    const char* rule;
    int hp1, hp2;
    int outcome;
    int mark_x;  // where the fall mark is drawn; 0 for none
};

const VictoryCase kVictoryCases[] = {
    {"both Masters standing: nothing drawn, no pause", 1, 1, 0, 0},
    {"side 2's Master at 0: stage clear", 2, 0, 2, 424},
    {"side 2's Master below 0 counts as fallen", 2, -1, 2, 424},
    {"side 1's Master at 0: game over", 0, 3, 1, 8},
    {"both Masters at 0 together: the player has lost", 0, 0, 1, 8},
};

class Victory : public PlayTest, public ::testing::WithParamInterface<VictoryCase> {};

TEST_P(Victory, DecidesShowsTheFallAndHandsOver) {
    const VictoryCase& c = GetParam();
    begin_play(2);
    form->masters(kHuman).hp = static_cast<int16_t>(c.hp1);
    form->masters(kComputer).hp = static_cast<int16_t>(c.hp2);
    QImage shown;
    form->fld.on_refresh = [&](const QImage& image) {
        if (shown.isNull()) shown = image;
    };
    pause.pauses.clear();
    if (c.outcome == kComputer) dice.script({0.5f});  // the heroine's growth
    EXPECT_EQ(form->check_victory(), c.outcome);
    form->fld.on_refresh = nullptr;
    if (c.outcome == 0) {
        EXPECT_TRUE(pause.pauses.empty());
        EXPECT_TRUE(shown.isNull());
        EXPECT_EQ(form->stage, 2);
        return;
    }
    EXPECT_EQ(pause.pauses.front(), kFallenMasterPause);
    QImage expected = shown.copy();
    paint_raster(expected, form->death_mask.image(), c.mark_x, 12, RasterOp::MergePaint);
    paint_raster(expected, form->death_picture.image(), c.mark_x, 12, RasterOp::SrcAnd);
    EXPECT_EQ(shown, expected) << "the fall mark stands over the fallen Master";
    EXPECT_EQ(form->frame_gameover.is_visible(), c.outcome == kHuman);
    EXPECT_EQ(form->frame_stageclear.is_visible(), c.outcome == kComputer);
    EXPECT_EQ(form->stage, c.outcome == kHuman ? 1 : 3);
}

INSTANTIATE_TEST_SUITE_P(Rows, Victory, ::testing::ValuesIn(kVictoryCases),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

}  // namespace
}  // namespace vr::test
