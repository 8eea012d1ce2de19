// The catalogue after start-up: both sides share each kind's data and differ only in pictures.
#include "game_fixture.h"

namespace vr::test {
namespace {

using CatalogueTest = GameTest;

TEST_F(CatalogueTest, BothSidesShareEveryKindButNotItsPictures) {
    for (int slot = 0; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& red = form->familiars(kHuman, slot);
        const FamiliarRecord& blue = form->familiars(kComputer, slot);
        EXPECT_EQ(red.name, blue.name) << slot;
        EXPECT_EQ(red.description, blue.description) << slot;
        EXPECT_EQ(std::tie(red.hp, red.atk, red.mv, red.cost),
                  std::tie(blue.hp, blue.atk, blue.mv, blue.cost))
            << slot;
        EXPECT_EQ(red.ability, blue.ability) << slot;
        EXPECT_EQ(red.picture.source().substr(0, 10), "vr_data\\r-") << slot;
        EXPECT_EQ(blue.picture.source().substr(0, 10), "vr_data\\b-") << slot;
        EXPECT_EQ(blue.mask.source(),
                  blue.picture.source().substr(0, blue.picture.source().size() - 4) + "_m.bmp");
    }
}

TEST_F(CatalogueTest, KindsCarryTheirNumbersAndAbilities) {
    struct Kind {
        int slot;
        const char* name;
        int hp, atk, mv, cost;
        const char* ability;
    };
    const Kind kinds[] = {
        {0, "すけるとん", 1, 2, 4, 3, "rev"},   {1, "ふぇありー", 2, 1, 3, 3, ""},
        {2, "ごぶりん", 3, 3, 2, 4, ""},        {3, "さらまんだー", 2, 5, 2, 4, ""},
        {4, "ぺがさす", 3, 2, 5, 5, ""},        {5, "ごーれむ", 6, 4, 1, 6, "def2"},
        {6, "けんたうろす", 4, 3, 5, 7, "bow"}, {7, "とろーる", 5, 5, 3, 8, ""},
        {8, "わいばーん", 4, 4, 6, 8, ""},      {9, "どらごん", 5, 6, 4, 9, "def1"},
    };
    for (const Kind& kind : kinds) {
        const FamiliarRecord& record = form->familiars(kHuman, kind.slot);
        EXPECT_EQ(record.name, kind.name);
        EXPECT_EQ(record.hp, kind.hp) << kind.name;
        EXPECT_EQ(record.atk, kind.atk) << kind.name;
        EXPECT_EQ(record.mv, kind.mv) << kind.name;
        EXPECT_EQ(record.cost, kind.cost) << kind.name;
        EXPECT_EQ(record.ability, kind.ability) << kind.name;
    }
}

TEST_F(CatalogueTest, DescriptionsJoinTheirLinesWithCrLfAndNoTrailingBreak) {
    const auto lines = [&](int slot) {
        const std::string& text = form->familiars(kHuman, slot).description;
        int count = 1;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
        EXPECT_NE(text.substr(text.size() - 2), "\r\n") << slot;
        return count;
    };
    EXPECT_EQ(lines(2), 2);
    EXPECT_EQ(form->familiars(kHuman, 2).description.substr(
                  form->familiars(kHuman, 2).description.find("\r\n") + 2),
              "…あ、ごめん。嘘、嘘。");
    EXPECT_EQ(lines(5), 3);
    EXPECT_EQ(lines(9), 3);
    EXPECT_NE(form->familiars(kHuman, 9).description.find("「防御力１」：弾かれるマス－１"),
              std::string::npos);
    EXPECT_EQ(lines(8), 1);
    EXPECT_NE(
        form->familiars(kHuman, 8).description.substr(form->familiars(kHuman, 8).description.size() - 3),
        "。")
        << "the wyvern's line has no closing full stop";
}

TEST_F(CatalogueTest, MagicsPairUpByCostAndKeepTheirLabels) {
    const std::pair<const char*, int> expected[] = {{"SLEEP", 3},     {"HEAL", 3},  {"BULLET", 4},
                                                    {"QUICK", 4},     {"POWER", 5}, {"TRAP", 5},
                                                    {"HIGH-HEAL", 6}, {"METEOR", 6}};
    for (int i = 0; i <= kLastMagic; ++i) {
        EXPECT_EQ(form->magics(i).label, expected[i].first);
        EXPECT_EQ(form->magics(i).cost, expected[i].second);
        EXPECT_FALSE(form->magics(i).owned) << "ownership comes from the stage, not the catalogue";
        EXPECT_EQ(form->magics(i).picture.source(), "vr_data\\" + std::string(kMagicKeywords[i]) + ".bmp");
    }
    EXPECT_EQ(form->magics(kHighheal).picture.source(), "vr_data\\highheal.bmp");
    EXPECT_EQ(form->masters(kHuman).name, "ロッタ");
    EXPECT_EQ(form->number_pictures(12).source(), "vr_data\\d12.bmp");
}

}  // namespace
}  // namespace vr::test
