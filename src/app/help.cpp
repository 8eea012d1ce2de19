// The menu ヘルプ: 遊び方, a page that teaches the rules with the game's own pictures and tables
// built from the catalogue, and このゲームについて. Both are windows beside the game, in the
// language in use.
#include <string_view>

#include "app/game_form.h"
#include "platform/program_info.h"

namespace vr {

namespace {

// The reading windows' pages, in the game's pixels.
constexpr int kHelpWidth = 520;
constexpr int kHelpHeight = 420;
constexpr int kAboutWidth = 400;
constexpr int kAboutHeight = 320;
// Room for the longest Familiar name, and the longest row of keys, on one line.
constexpr int kNameWidth = 84;
constexpr int kKeysWidth = 104;

Text number(int value) {
    return Text(std::to_string(value));
}

struct AbilityText {
    std::string_view keyword;
    MarkedText text;
};

constexpr AbilityText kAbilities[] = {
    {"rev", VR_TEXT("Help", "再生：倒れても、すぐにまた召喚できる")},
    {"def2", VR_TEXT("Help", "防御力２：はじき飛ばされる数が２減る")},
    {"def1", VR_TEXT("Help", "防御力１：はじき飛ばされる数が１減る")},
    {"bow",
     VR_TEXT("Help", "弓矢：行き先に使い魔がいると、動かずに矢を射って攻撃する（召喚のときは射たない）")},
};

Text ability_text(const std::string& keyword) {
    if (keyword.empty()) return "—";
    for (const AbilityText& ability : kAbilities) {
        if (ability.keyword == keyword) return ability.text;
    }
    return keyword;  // a keyword the page does not know yet still shows
}

struct KeyText {
    const char* keys;
    MarkedText does;
};

constexpr KeyText kKeys[] = {
    {"M, S, G", VR_TEXT("Help", "移動・召喚・魔法のボタン")},
    {"1 … 9, 0", VR_TEXT("Help", "使い魔のアイコン（左から順に）")},
    {"Q W E R T Y U I", VR_TEXT("Help", "魔法のアイコン（左から順に）")},
    {"← →", VR_TEXT("Help", "盤のカーソルを動かす（データ欄にそのマスの使い魔が出ます）")},
    {"Enter", VR_TEXT("Help", "カーソルのあるマスを押す（カーソルがないときは Space と同じ）")},
    {"Space", VR_TEXT("Help", "開始・Next のボタン。ほかの画面では先へ進むボタン")},
    {"Esc", VR_TEXT("Help", "選んでいるコマンドを取り消す")},
    {"Tab", VR_TEXT("Help", "ボタンを順に選ぶ（Space か Enter で押す）")},
    {"F1", VR_TEXT("Help", "この遊び方を開く（Esc で閉じる）")},
};

// The three numbers of a Master's panel, under the headings the panel shows.
struct ValueText {
    MarkedText heading;
    MarkedText meaning;
};
constexpr ValueText kMasterValues[] = {
    {kHeadingHp, VR_TEXT("Help", "マスターの体力。0になったら負けです。")},
    {kHeadingMp, VR_TEXT("Help", "魔力。使い魔の召喚と魔法に使います。")},
    {kHeadingMv, VR_TEXT("Help", "移動力。盤の上の使い魔を動かすのに使います。")},
};

// The field as a stage begins to look: both Masters, a few Familiars of each side.
struct SceneSprite {
    int side;
    int slot;
    int square;
};
constexpr SceneSprite kSceneSprites[] = {
    {kHuman, 0, 2}, {kHuman, 2, 4}, {kComputer, 1, 8}, {kComputer, 2, 10}};
constexpr int kSceneOpponent = 3;  // the first stage's Master is a Familiar of this kind
constexpr int kFieldWidth = 448;
constexpr int kFieldHeight = 40;

}  // namespace

void GameForm::menu_howtoplay_Click() {
    // F1 again finds the page where the reader is.
    if (help_window && help_window->bring_to_front()) return;
    if (!help_window) {
        help_window = std::make_unique<DocumentWindow>(*this, kHelpWidth, kHelpHeight);
    }
    help_window->set_caption(VR_TEXT("Help", "ベロランの遊び方"));
    write_help_page(*help_window);
    help_window->open();
}

void GameForm::menu_about_Click() {
    if (!about_window) {
        about_window = std::make_unique<DocumentWindow>(*this, kAboutWidth, kAboutHeight);
        about_window->add_button(DocumentButton::AboutQt, VR_TEXT("About", "Qt について"));
        about_window->add_button(DocumentButton::Close, VR_TEXT("About", "閉じる"));
    }
    about_window->set_caption(VR_TEXT("About", "ベロランについて"));
    write_about_page(*about_window);
    about_window->open();
}

// Every text is one entry for the translators, a whole paragraph with its names and numbers as
// %1, %2, ...; the page holds the texts, so it reads anew in a newly chosen language.
void GameForm::write_help_page(DocumentWindow& page) {
    const auto magic = [&](int index) { return magics(index).label; };
    page.clear();

    page.add_heading(VR_TEXT("Help", "ベロランの遊び方"));
    page.add_paragraph(
        VR_TEXT("Help",
                "見習い魔法使いのロッタは、先生から預かった使い魔たちに逃げられてしまいました。"
                "残った使い魔と魔法で相手のマスターと戦い、逃げた使い魔をひとつずつ取り戻しましょう。"));

    page.add_heading(VR_TEXT("Help", "目的"));
    page.add_paragraph(VR_TEXT("Help",
                               "相手のマスターの体を0にすればステージクリアです。ステージは全部で%1つ。"
                               "クリアするたびに使い魔が一種類と魔法がひとつ戻ってきて、ロッタも成長します"
                               "（体が1増え、魔か移の最大値が1増えます）。")
                           .arg(kLastStage));
    page.add_paragraph(VR_TEXT(
        "Help",
        "ロッタの体が0になるとゲームオーバーで、ステージ1からやり直しです。ターンの数に制限はありません。"));

    page.add_heading(VR_TEXT("Help", "戦いの場"));
    page.add_picture(field_illustration());
    page.add_paragraph(
        VR_TEXT("Help",
                "戦いの場は横一列に並んだ%1マスです。左端がロッタ、右端が相手のマスターの場所で、"
                "その間の%2マスで使い魔たちが戦います。まだ呼び出していない使い魔は、"
                "自分のマスターのところで控えています。あなたの使い魔は赤、相手の使い魔は青です。")
            .arg(kComputerHome + 1)
            .arg(kLastFieldSquare));
    page.add_paragraph(VR_TEXT("Help",
                               "盤の使い魔や、下に並んだ使い魔と魔法のアイコンにマウスを合わせると、データ欄"
                               "にその数字と説明が出ます。"));

    page.add_heading(VR_TEXT("Help", "ターンの始まり"));
    page.add_paragraph(VR_TEXT("Help",
                               "開始ボタンを押すと、あなたのターンが始まります。マスターの欄の三つの数字は"
                               "次のとおりです。"));
    DocumentTable values{.header = {VR_TEXT("Help", "表示"), VR_TEXT("Help", "意味")}, .centred = {true}};
    for (const ValueText& value : kMasterValues) values.rows.push_back({value.heading, value.meaning});
    page.add_table(std::move(values));
    page.add_paragraph(VR_TEXT(
        "Help",
        "ターンの始めにマスターはサイコロを二つ振り、出た目の数だけ魔と移が増えます。サイコロの面の数は"
        "それぞれの最大値と同じです。使い残した魔と移は次のターンに持ち越せますが、最大値より多くはたまりませ"
        "ん。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "盤の上の使い魔は、ターンの始めに動けるようになります。やることが済んだら Next ボタンでターンを"
        "終えましょう。相手のターンのあいだ、ボタンは Wait になります。"));

    page.add_heading(VR_TEXT("Help", "三つのコマンド"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "移動・召喚・魔法のボタンで何をするかを選ぶと、選べる使い魔や魔法、マスにカーソルが付きます。"
        "カーソルの付いたものをクリックしてください。魔と移が足りるかぎり、一つのターンに何度でも行動できます"
        "。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "召喚：控えの使い魔を盤に呼び出します。使い魔の「魔」の数だけマスターの魔力を使います。"
        "呼び出された使い魔は、すぐに自分の「移」の数だけ前へ進みます。召喚したターンには、もう動けません"
        "。"));
    page.add_paragraph(
        VR_TEXT("Help",
                "移動：盤の上の使い魔を選び、前か後ろの行き先を選びます。進む数は、使い魔の「移」とマスターの"
                "残りの移動力のうち小さいほうで、その分だけ移動力が減ります。一体の使い魔が動けるのは、"
                "一つのターンに一度です。"));
    page.add_paragraph(
        VR_TEXT("Help", "魔法：魔法を選び、かける相手の使い魔かマスを選びます。魔法ごとの魔力を使います。"));

    page.add_heading(VR_TEXT("Help", "体当たりとはじき飛ばし"));
    page.add_paragraph(
        VR_TEXT("Help",
                "使い魔が止まったマスにほかの使い魔がいると、体当たりになります。体当たりされた使い魔は"
                "ダメージを1受け、進んできた向きに、体当たりした使い魔の「攻」の数だけはじき飛ばされます。"
                "防御力のある使い魔は、その分だけ飛ばされる数が減ります（それでも1マスは飛ばされます）。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "飛ばされた先にまた使い魔がいれば、今度はその使い魔が体当たりされて飛ばされます。こうして何体もの"
        "使い魔が次々に飛ばされることがあります。体当たりは敵も味方も区別しないので、自分の使い魔にも"
        "気をつけて。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "受けたダメージが「体」の数に達した使い魔は倒れて、マスターのところに戻ります。倒れた使い魔は、"
        "魔法で回復するまで召喚できません（「再生」の使い魔は別です）。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "使い魔が相手のマスターのマスにちょうど止まると、相手のマスターの体を1減らして、自分の"
        "マスターのところに戻ります。自分のマスターのマスや盤の外まで飛ばされた使い魔は、何もせずに戻ります"
        "。"));

    page.add_heading(VR_TEXT("Help", "使い魔"));
    page.add_paragraph(VR_TEXT("Help",
                               "使える使い魔は、ステージをクリアするたびに表の上から順に増えていきます。"
                               "「魔」は召喚に使う魔力です。"));
    page.add_table(familiar_table());

    page.add_heading(VR_TEXT("Help", "魔法"));
    page.add_paragraph(VR_TEXT("Help",
                               "魔法も、ステージをクリアするたびに表の上から順に増えていきます。"
                               "「魔」はかけるのに使う魔力です。"));
    page.add_table(magic_table());
    page.add_paragraph(VR_TEXT("Help",
                               "%1 と %2 は相手の使い魔に、%3・%4・%5・%6 は自分の使い魔にかけます"
                               "（%3 と %6 は控えの使い魔にも）。%7 と %8 はマスを選んでかけます。")
                           .arg(magic(kSleep))
                           .arg(magic(kBullet))
                           .arg(magic(kHeal))
                           .arg(magic(kQuick))
                           .arg(magic(kPower))
                           .arg(magic(kHighheal))
                           .arg(magic(kTrap))
                           .arg(magic(kMeteor)));
    page.add_paragraph(
        VR_TEXT("Help",
                "%1 と %2 で飛ばされる数は、防御力では減りません。%2 は敵も味方も巻き込みます。"
                "%3 と %4 の効き目は、その使い魔がマスターのところに戻るまで続きます。")
            .arg(magic(kBullet))
            .arg(magic(kMeteor))
            .arg(magic(kQuick))
            .arg(magic(kPower)));
    page.add_paragraph(VR_TEXT("Help",
                               "%1 で仕掛けたワナは見えません。そのマスに最初に止まった使い魔は、"
                               "敵でも味方でもマスターのところに送り返されます。ワナは一度働くと消えます。")
                           .arg(magic(kTrap)));

    page.add_heading(VR_TEXT("Help", "ステージの終わりと記録"));
    page.add_paragraph(
        VR_TEXT("Help",
                "相手のマスターの体が0になるとステージクリアです。戻ってきた使い魔と魔法、ロッタの成長が"
                "「今日の成果」に出ます。両方のマスターが同時に倒れたときは、あなたの負けです。"));
    page.add_paragraph(VR_TEXT(
        "Help",
        "ステージごとのクリアまでの最短ターン数と、全ステージを通した合計の最短ターン数が、メニューバーの"
        "「最短記録」に残ります。記録を破ると、クリアの画面でお知らせします。"));
    page.add_paragraph(
        VR_TEXT("Help",
                "「メニュー」の「セーブ」で、今のステージとロッタの成長、ここまでのターン数を保存します。"
                "「ロード」かタイトルの「続きから」で、そのステージの始めから続けられます。"));

    page.add_heading(VR_TEXT("Help", "キー操作"));
    DocumentTable keys{.header = {VR_TEXT("Help", "キー"), VR_TEXT("Help", "はたらき")},
                       .centred = {true},
                       .widths = {kKeysWidth}};
    for (const KeyText& key : kKeys) keys.rows.push_back({Text(key.keys), key.does});
    page.add_table(std::move(keys));
    page.add_paragraph(
        VR_TEXT("Help",
                "「メニュー」の「画面サイズ」で窓の大きさを、「速度」でゲームの速さを変えられます。"
                "「言語 / Language」では日本語と英語を切り替えられます。"));
}

DocumentTable GameForm::familiar_table() {
    // The panel's own headings and the info panel's own names, so the page reads as the screen does.
    DocumentTable table{.header = {"", VR_TEXT("Help", "名前"), kHeadingHp, kHeadingAtk, kHeadingMv,
                                   kHeadingMp, VR_TEXT("Help", "能力")},
                        .centred = {true, false, true, true, true, true, false},
                        .widths = {0, kNameWidth}};
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        const FamiliarRecord& kind = familiars(kHuman, slot);
        table.rows.push_back({kind.picture, catalogue_text(kind.name), number(kind.hp), number(kind.atk),
                              number(kind.mv), number(kind.cost), ability_text(kind.ability)});
    }
    return table;
}

DocumentTable GameForm::magic_table() {
    DocumentTable table{.header = {"", VR_TEXT("Help", "名前"), kHeadingMp, VR_TEXT("Help", "効果")},
                        .centred = {true, false, true, false}};
    for (int index = kFirstMagic; index <= kLastMagic; ++index) {
        const MagicRecord& magic = magics(index);
        table.rows.push_back(
            {magic.picture, Text(magic.label), number(magic.cost), catalogue_text(magic.description)});
    }
    return table;
}

Picture GameForm::field_illustration() {
    // Drawn as the field is, on a box of its own that is never shown.
    PictureBox canvas(nullptr);
    canvas.place(0, 0, kFieldWidth, kFieldHeight);
    canvas.set_picture(field_picture);
    for (const SceneSprite& sprite : kSceneSprites) {
        const FamiliarRecord& familiar = familiars(sprite.side, sprite.slot);
        draw_sprite(canvas, familiar.picture, familiar.mask, kSquareWidth * sprite.square, kSpriteTop);
    }
    const MasterRecord& heroine = masters(kHuman);
    draw_sprite(canvas, heroine.picture, heroine.mask, kSquareWidth * kHumanHome, kSpriteTop);
    const FamiliarRecord& opponent = familiars(kComputer, kSceneOpponent);
    draw_sprite(canvas, opponent.picture, opponent.mask, kSquareWidth * kComputerHome, kSpriteTop);
    return Picture::from_image(canvas.image(), field_picture.source() + " with Masters and Familiars");
}

void GameForm::write_about_page(DocumentWindow& page) {
    page.clear();
    page.add_picture(masters(kHuman).picture);
    page.add_heading(VR_TEXT("About", "ベロラン"));
    page.add_paragraph(
        Text("%1\n%2").arg(VR_TEXT("About", "バージョン %1").arg(program_version())).arg(kProgramCopyright));
    page.add_paragraph(
        VR_TEXT("About", "見習い魔法使いのロッタが、逃げた使い魔たちを取り戻すターン制のボードゲームです。"));
    page.add_paragraph(
        VR_TEXT("About",
                "このゲームはフリーソフトウェアです。GNU 一般公衆利用許諾書（GPL）のバージョン3か、"
                "それ以降のバージョンの条件で、再配布や改変ができます（%1）。保証はまったくありません。")
            .arg(kProgramLicence));
    page.add_paragraph(VR_TEXT(
        "About",
        "絵と音楽もこのプロジェクトで作ったもので、同じライセンスです。どちらもソースの assets/ にある、"
        "文字で書かれた元データから作られています。"));
    // Asked at every opening: the music is set up only after the title has been seen.
    const std::string soundfont = music.soundfont_file();
    const MusicDevice::Hearing hearing = music.hearing();
    if (hearing == MusicDevice::Hearing::SettingUp) {
        page.add_paragraph(VR_TEXT("About",
                                   "音楽はまだ準備中です。少ししてからこのウィンドウを開き直すと、"
                                   "使っている音色ファイル（サウンドフォント）が出ます。"));
    } else if (soundfont.empty()) {
        page.add_paragraph(VR_TEXT(
            "About", "音色ファイル（サウンドフォント）が読み込まれていないので、今は音楽が鳴りません。"));
    } else if (hearing == MusicDevice::Hearing::Silent) {
        page.add_paragraph(
            VR_TEXT("About", "音を出す先（サウンド出力）が見つからないので、今は音楽が鳴りません。"));
    } else {
        page.add_paragraph(VR_TEXT("About",
                                   "音楽は音色ファイル（サウンドフォント）%1 "
                                   "で鳴らしています。音色ファイルはこのゲームとは別のもので、"
                                   "それ自身のライセンスで配布されています。")
                               .arg(soundfont));
    }
}

}  // namespace vr
