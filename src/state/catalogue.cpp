// The fixed catalogue: ten Familiar kinds and eight Magics, with every picture they show.
#include <array>

#include "app/game_form.h"

namespace vr {

namespace {

// Names and descriptions are marked for translation; a description is translated whole, its
// lines joined by CR LF as the info panel shows them.
struct KindEntry {
    const char* stem;  // picture file stem
    MarkedText name;
    int16_t hp, atk, mv, cost;
    const char* ability;
    MarkedText description;
};

constexpr std::array<KindEntry, 10> kKinds = {{
    {"skl", VR_TEXT("Catalogue", "すけるとん"), 1, 2, 4, 3, "rev",
     VR_TEXT("Catalogue",
             "骨から作った人造の使い魔。お手軽だけど、壊れやすい。・・・まぁしょうがないか。\r\n"
             "「再生」：倒れてもすぐに復活できる")},
    {"fairy", VR_TEXT("Catalogue", "ふぇありー"), 2, 1, 3, 3, "",
     VR_TEXT("Catalogue", "かわいい妖精さん。非力。でも、かわいいならＯＫ。")},
    {"gob", VR_TEXT("Catalogue", "ごぶりん"), 3, 3, 2, 4, "",
     VR_TEXT("Catalogue",
             "あんまりかわいくない妖精さん。\r\n"
             "…あ、ごめん。嘘、嘘。")},
    {"sara", VR_TEXT("Catalogue", "さらまんだー"), 2, 5, 2, 4, "",
     VR_TEXT("Catalogue", "炎の精霊さん。芋を焼くのに最適。")},
    {"pgss", VR_TEXT("Catalogue", "ぺがさす"), 3, 2, 5, 5, "",
     VR_TEXT("Catalogue", "空飛ぶ白馬。お使いに便利。")},
    {"glm", VR_TEXT("Catalogue", "ごーれむ"), 6, 4, 1, 6, "def2",
     VR_TEXT("Catalogue",
             "鋼鉄の自動人形。すっごい丈夫。\r\n"
             "どっかの壊れやすい骨とはえらい違い。\r\n"
             "「防御力２」：弾かれるマス－２")},
    {"cent", VR_TEXT("Catalogue", "けんたうろす"), 4, 3, 5, 7, "bow",
     VR_TEXT("Catalogue",
             "半人半馬。弓が得意。\r\n"
             "「弓矢」：移動先に使い魔がいるとき、移動せずに攻撃します。ただし、召喚時は無効。")},
    {"trol", VR_TEXT("Catalogue", "とろーる"), 5, 5, 3, 8, "",
     VR_TEXT("Catalogue", "力持ちの妖精さん。模様替えとか引越しとか、一家に一台って感じよね。")},
    {"wyvn", VR_TEXT("Catalogue", "わいばーん"), 4, 4, 6, 8, "",
     VR_TEXT("Catalogue", "普通の竜と違って、腕が翼。ペガサスよりも速く飛べる")},
    {"drgn", VR_TEXT("Catalogue", "どらごん"), 5, 6, 4, 9, "def1",
     VR_TEXT("Catalogue",
             "使い魔サイズでも竜は竜。私より強いってのが気に入らないけど。\r\n"
             "こんなのどうやって使い魔にしたの！？\r\n"
             "「防御力１」：弾かれるマス－１")},
}};

// Magic names read the same in every language; only their descriptions are translated.
struct MagicEntry {
    const char* label;
    int16_t cost;
    MarkedText description;
};

constexpr std::array<MagicEntry, 8> kMagics = {{
    {"SLEEP", 3, VR_TEXT("Catalogue", "使い魔を眠らして１ラウンド行動不能にする")},
    {"HEAL", 3, VR_TEXT("Catalogue", "HP１点回復")},
    {"BULLET", 4, VR_TEXT("Catalogue", "攻撃力２の攻撃")},
    {"QUICK", 4, VR_TEXT("Catalogue", "使い魔の移動力＋１（最大６まで）")},
    {"POWER", 5, VR_TEXT("Catalogue", "使い魔の攻撃力＋１（最大６まで）")},
    {"TRAP", 5, VR_TEXT("Catalogue", "指定したマスに止まるとマスターのところに帰ってしまう（１回限り有効）")},
    {"HIGH-HEAL", 6, VR_TEXT("Catalogue", "HP３点回復")},
    {"METEOR", 6, VR_TEXT("Catalogue", "指定したマスを中心に前後２マスの間にいる使い魔に攻撃力３の攻撃")},
}};

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

    masters(kHuman).name = VR_TEXT("Catalogue", "ロッタ").source;
    masters(kHuman).picture = Picture::load(data_path("master.bmp"), kSpriteSize);
    masters(kHuman).mask = Picture::load(data_path("master_m.bmp"), kSpriteSize);

    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = 0; slot <= kLastSlot; ++slot) {
            const KindEntry& kind = kKinds[slot];
            FamiliarRecord& record = familiars(side, slot);
            record.name = kind.name.source;
            record.description = kind.description.source;
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
        magics(i).description = kMagics[i].description.source;
        magics(i).cost = kMagics[i].cost;
    }
    for (int i = 0; i <= kLastMagic; ++i)
        magics(i).picture = Picture::load(magic_path(i, false), kSpriteSize);
    for (int i = 0; i <= kLastMagic; ++i) magics(i).mask = Picture::load(magic_path(i, true), kSpriteSize);
}

}  // namespace vr
