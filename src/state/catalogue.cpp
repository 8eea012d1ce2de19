// The fixed catalogue: ten Familiar kinds and eight Magics, with every picture they show.
#include <array>

#include "app/game_form.h"

namespace vr {

namespace {

struct KindEntry {
    const char* stem;  // picture file stem
    const char* name;
    int16_t hp, atk, mv, cost;
    const char* ability;
    std::array<const char*, 3> description_lines;  // unused lines are null
};

constexpr std::array<KindEntry, 10> kKinds = {{
    {"skl",
     "すけるとん",
     1,
     2,
     4,
     3,
     "rev",
     {"骨から作った人造の使い魔。お手軽だけど、壊れやすい。・・・まぁしょうがないか。",
      "「再生」：倒れてもすぐに復活できる", nullptr}},
    {"fairy",
     "ふぇありー",
     2,
     1,
     3,
     3,
     "",
     {"かわいい妖精さん。非力。でも、かわいいならＯＫ。", nullptr, nullptr}},
    {"gob", "ごぶりん", 3, 3, 2, 4, "", {"あんまりかわいくない妖精さん。", "…あ、ごめん。嘘、嘘。", nullptr}},
    {"sara", "さらまんだー", 2, 5, 2, 4, "", {"炎の精霊さん。芋を焼くのに最適。", nullptr, nullptr}},
    {"pgss", "ぺがさす", 3, 2, 5, 5, "", {"空飛ぶ白馬。お使いに便利。", nullptr, nullptr}},
    {"glm",
     "ごーれむ",
     6,
     4,
     1,
     6,
     "def2",
     {"鋼鉄の自動人形。すっごい丈夫。", "どっかの壊れやすい骨とはえらい違い。",
      "「防御力２」：弾かれるマス－２"}},
    {"cent",
     "けんたうろす",
     4,
     3,
     5,
     7,
     "bow",
     {"半人半馬。弓が得意。",
      "「弓矢」：移動先に使い魔がいるとき、移動せずに攻撃します。ただし、召喚時は無効。", nullptr}},
    {"trol",
     "とろーる",
     5,
     5,
     3,
     8,
     "",
     {"力持ちの妖精さん。模様替えとか引越しとか、一家に一台って感じよね。", nullptr, nullptr}},
    {"wyvn",
     "わいばーん",
     4,
     4,
     6,
     8,
     "",
     {"普通の竜と違って、腕が翼。ペガサスよりも速く飛べる", nullptr, nullptr}},
    {"drgn",
     "どらごん",
     5,
     6,
     4,
     9,
     "def1",
     {"使い魔サイズでも竜は竜。私より強いってのが気に入らないけど。", "こんなのどうやって使い魔にしたの！？",
      "「防御力１」：弾かれるマス－１"}},
}};

struct MagicEntry {
    const char* label;
    int16_t cost;
    const char* description;
};

constexpr std::array<MagicEntry, 8> kMagics = {{
    {"SLEEP", 3, "使い魔を眠らして１ラウンド行動不能にする"},
    {"HEAL", 3, "HP１点回復"},
    {"BULLET", 4, "攻撃力２の攻撃"},
    {"QUICK", 4, "使い魔の移動力＋１（最大６まで）"},
    {"POWER", 5, "使い魔の攻撃力＋１（最大６まで）"},
    {"TRAP", 5, "指定したマスに止まるとマスターのところに帰ってしまう（１回限り有効）"},
    {"HIGH-HEAL", 6, "HP３点回復"},
    {"METEOR", 6, "指定したマスを中心に前後２マスの間にいる使い魔に攻撃力３の攻撃"},
}};

std::string joined_description(const KindEntry& kind) {
    std::string text;
    for (const char* line : kind.description_lines) {
        if (!line) break;
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

// Sprites fill a square of the field; number pictures fill a value box.
constexpr PictureSize kSpriteSize{kSquareWidth, kSquareWidth};
constexpr PictureSize kNumberSize{21, 21};

std::string data_path(const std::string& file) {
    return "vr_data\\" + file;
}

std::string familiar_path(int side, int slot, bool mask) {
    const std::string prefix = side == kHuman ? "r-" : "b-";
    return data_path(prefix + kKinds[slot].stem + (mask ? "_m" : "") + ".bmp");
}

std::string magic_path(int index, bool mask) {
    return data_path(std::string(kMagicKeywords[index]) + (mask ? "_m" : "") + ".bmp");
}

}  // namespace

void GameForm::load_catalogue() {
    for (int n = 0; n <= kLargestValue; ++n)
        number_pictures(n) = Picture::load(data_path("d" + std::to_string(n) + ".bmp"), kNumberSize);

    cursor_picture = Picture::load(data_path("cursol.bmp"), kSpriteSize);
    cursor_mask = Picture::load(data_path("cursol_m.bmp"), kSpriteSize);

    masters(kHuman).name = "ロッタ";
    masters(kHuman).picture = Picture::load(data_path("master.bmp"), kSpriteSize);
    masters(kHuman).mask = Picture::load(data_path("master_m.bmp"), kSpriteSize);

    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = 0; slot <= kLastSlot; ++slot) {
            const KindEntry& kind = kKinds[slot];
            FamiliarRecord& record = familiars(side, slot);
            record.name = kind.name;
            record.description = joined_description(kind);
            record.atk = kind.atk;
            record.mv = kind.mv;
            record.hp = kind.hp;
            record.cost = kind.cost;
            record.ability = kind.ability;
        }
    }

    // Red pictures, blue pictures, red masks, blue masks.
    for (bool mask : {false, true}) {
        for (int side = kHuman; side <= kComputer; ++side) {
            for (int slot = 0; slot <= kLastSlot; ++slot) {
                Picture picture = Picture::load(familiar_path(side, slot, mask), kSpriteSize);
                (mask ? familiars(side, slot).mask : familiars(side, slot).picture) = picture;
            }
        }
    }

    for (int i = 0; i <= kLastMagic; ++i) {
        magics(i).label = kMagics[i].label;
        magics(i).description = kMagics[i].description;
        magics(i).cost = kMagics[i].cost;
    }
    for (int i = 0; i <= kLastMagic; ++i)
        magics(i).picture = Picture::load(magic_path(i, false), kSpriteSize);
    for (int i = 0; i <= kLastMagic; ++i) magics(i).mask = Picture::load(magic_path(i, true), kSpriteSize);
}

}  // namespace vr
