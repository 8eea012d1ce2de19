// The window itself: its controls placed on the board, the menu, and the handlers wired to them.
#include "app/game_form.h"

#include <QMenu>

namespace vr {

namespace {

constexpr int kClientWidth = 465;
constexpr int kClientHeight = 279;
constexpr Colour kBoardColour = rgb(204, 255, 153);
constexpr Colour kTurnDisplayColour = rgb(192, 255, 255);
constexpr Colour kWhite = rgb(255, 255, 255);

// Japanese text needs a Japanese family; the fallback depends on LANG and can pick Chinese forms.
constexpr const char* kFontFamily = "IPAGothic";
constexpr int kFontPixels = 12;

struct Box {
    int x, y, width, height;
};

constexpr Box kField{8, 0, 448, 40};
constexpr Box kMasterPanel1{8, 48, 89, 65};
constexpr Box kDataFrame{104, 48, 257, 129};
constexpr Box kMasterPanel2{368, 48, 89, 65};
constexpr Box kButtonMove{8, 120, 41, 25};
constexpr Box kButtonSummon{56, 120, 41, 25};
constexpr Box kButtonMagic{8, 152, 41, 25};
constexpr Box kButtonTurnEnd{56, 152, 41, 25};
constexpr Box kTurnDisplay{368, 120, 89, 25};
constexpr Box kGameEnd{368, 152, 89, 25};
// The navigation line is widened from 126 px over the free row below the panels: its longest
// messages are 17 full-width characters, about 204 px.
constexpr Box kNavi{8, 184, 449, 12};
constexpr int kIconLeft = 8;
constexpr int kIconPitch = 40;
constexpr int kIconSize = 33;
constexpr int kFamiliarIconTop = 200;
constexpr int kMagicIconTop = 240;

// Inside a Master panel: headings 体 魔 移 above their value boxes.
constexpr int kHeadingSize = 12;
constexpr int kValueSize = 21;
constexpr int kPanelHeadingTop = 16;
constexpr int kPanelValueTop = 32;
constexpr int kPanelColumns[3] = {8, 32, 56};

// Inside the info panel.
constexpr Box kDataPic{8, 16, 33, 33};
constexpr int kDataHeadingTop = 16;
constexpr int kDataValueTop = 32;
constexpr int kDataHpLeft = 48;
constexpr int kDataMpLeft = 72;
constexpr int kDataMvLeft = 96;
constexpr int kDataAtkLeft = 120;
constexpr Box kDataText{8, 56, 241, 65};

template <typename Control>
void place(Control& control, const Box& box) {
    control.place(box.x, box.y, box.width, box.height);
}

PictureBox& by_side(int side, PictureBox& one, PictureBox& two, const char* what) {
    if (side != kHuman && side != kComputer) index_out_of_range(what, side, kHuman, kComputer);
    return side == kHuman ? one : two;
}

void place_heading(Label& label, int x, int y, const Text& caption) {
    label.place(x, y, kHeadingSize, kHeadingSize);
    label.set_caption(caption);
}

}  // namespace

GameForm::GameForm(GameServices services)
    : pause(services.pause), random(services.random), music(services.music) {
    // Before any text is shown, so the window is built in the player's language.
    load_language_setting();
    set_caption(VR_TEXT("Window", "ベロラン"));
    set_font(kFontFamily, kFontPixels);
    set_client_size(kClientWidth, kClientHeight);
    set_back_colour(kBoardColour);

    QMenu* menu = add_menu(VR_TEXT("Window", "メニュー"));
    menu_totitle = add_menu_item(menu, VR_TEXT("Window", "タイトルに戻る"));
    menu_save = add_menu_item(menu, VR_TEXT("Window", "セーブ"));
    menu_load = add_menu_item(menu, VR_TEXT("Window", "ロード"));
    menu_bgm_on_off = add_menu_item(menu, VR_TEXT("Window", "BGM"));
    menu_bgm_on_off->set_checked(true);
    QMenu* sizes = add_submenu(menu, VR_TEXT("Window", "画面サイズ"));
    QActionGroup* size_group = add_radio_group();
    for (int n = kSmallestScale; n <= kLargestScale; ++n) {
        menu_scale(n) = add_menu_item(sizes, "×" + std::to_string(n));
        menu_scale(n)->join_radio_group(size_group);
        menu_scale(n)->set_checked(n == scale());
    }
    QMenu* speed = add_submenu(menu, VR_TEXT("Window", "速度"));
    QActionGroup* speed_group = add_radio_group();
    static constexpr MarkedText kSpeedCaptions[] = {VR_TEXT("Window", "ふつう"), VR_TEXT("Window", "はやい"),
                                                    VR_TEXT("Window", "とてもはやい")};
    for (int i = 0; i <= decltype(menu_speed)::kHi; ++i) {
        menu_speed(i) = add_menu_item(speed, kSpeedCaptions[i]);
        menu_speed(i)->join_radio_group(speed_group);
    }
    // Each language's name in its own words, so a player who reads only one finds it.
    QMenu* languages = add_submenu(menu, "言語 / Language");
    QActionGroup* language_group = add_radio_group();
    static const char* const kLanguageNames[] = {"日本語", "English"};
    for (int i = 0; i <= decltype(menu_language)::kHi; ++i) {
        menu_language(i) = add_menu_item(languages, kLanguageNames[i]);
        menu_language(i)->join_radio_group(language_group);
    }
    show_language_marks();
    menu_gameend = add_menu_item(menu, VR_TEXT("Window", "ゲーム終了"));
    QMenu* rank = add_menu(VR_TEXT("Window", "最短記録"));
    // The captions before the records are read; the records menu cannot open before that.
    static constexpr MarkedText kStageCaptions[] = {
        VR_TEXT("Window", "ステージ１"), VR_TEXT("Window", "ステージ２"), VR_TEXT("Window", "ステージ３"),
        VR_TEXT("Window", "ステージ４"), VR_TEXT("Window", "ステージ５"), VR_TEXT("Window", "ステージ６"),
        VR_TEXT("Window", "ステージ７"), VR_TEXT("Window", "ステージ８")};
    for (int n = 1; n <= kLastStage; ++n) stg(n) = add_menu_item(rank, kStageCaptions[n - 1]);
    sum = add_menu_item(rank, VR_TEXT("Window", "総ターン"));
    QMenu* help = add_menu(VR_TEXT("Window", "ヘルプ"));
    menu_howtoplay = add_menu_item(help, VR_TEXT("Window", "遊び方"));
    menu_howtoplay->set_shortcut("F1");
    menu_about = add_menu_item(help, VR_TEXT("Window", "このゲームについて"));

    constexpr int kMusicTick = 1000;
    miditimer.set_interval(kMusicTick);
    miditimer.set_enabled(false);

    layout_board();
    layout_screens();
    wire_handlers();
    show_key_tooltips();
    load_speed_setting();
}

GameForm::~GameForm() = default;

MenuItem* GameForm::add_menu_item(QMenu* menu, const Text& caption) {
    menu_items_.push_back(std::make_unique<MenuItem>(menu, caption));
    return menu_items_.back().get();
}

PictureBox& GameForm::mashp(int side) {
    return by_side(side, mashp_1, mashp_2, "mashp");
}
PictureBox& GameForm::masmp(int side) {
    return by_side(side, masmp_1, masmp_2, "masmp");
}
PictureBox& GameForm::masmv(int side) {
    return by_side(side, masmv_1, masmv_2, "masmv");
}

CommandButton& GameForm::to_title(int index) {
    if (index == 0) return to_title_0;
    if (index != 1) index_out_of_range("to_title", index, 0, 1);
    return to_title_1;
}

void GameForm::layout_board() {
    place(fld, kField);
    place(Frame1(1), kMasterPanel1);
    Frame1(1).set_caption(VR_TEXT("Catalogue", "ロッタ"));
    place(Frame1(2), kMasterPanel2);
    Frame1(2).set_caption(VR_TEXT("Board", "マスター２"));
    Label* headings[2][3] = {{&hp1, &mp1, &mv1}, {&hp2, &mp2, &mv2}};
    const Text heading_captions[3] = {kHeadingHp, kHeadingMp, kHeadingMv};
    for (int side = kHuman; side <= kComputer; ++side) {
        PictureBox* values[3] = {&mashp(side), &masmp(side), &masmv(side)};
        for (int column = 0; column < 3; ++column) {
            place_heading(*headings[side - 1][column], kPanelColumns[column], kPanelHeadingTop,
                          heading_captions[column]);
            values[column]->place(kPanelColumns[column], kPanelValueTop, kValueSize, kValueSize);
        }
    }

    place(DataFrame, kDataFrame);
    DataFrame.set_caption(VR_TEXT("Board", "データ"));
    place(data_pic, kDataPic);
    place_heading(label_hp, kDataHpLeft, kDataHeadingTop, kHeadingHp);
    place_heading(label_mp, kDataMpLeft, kDataHeadingTop, kHeadingMp);
    place_heading(label_mv, kDataMvLeft, kDataHeadingTop, kHeadingMv);
    place_heading(label_atk, kDataAtkLeft, kDataHeadingTop, kHeadingAtk);
    hpdice.place(kDataHpLeft, kDataValueTop, kValueSize, kValueSize);
    mpdice.place(kDataMpLeft, kDataValueTop, kValueSize, kValueSize);
    mvdice.place(kDataMvLeft, kDataValueTop, kValueSize, kValueSize);
    atkdice.place(kDataAtkLeft, kDataValueTop, kValueSize, kValueSize);
    place(data_text, kDataText);
    data_text.setWordWrap(true);

    place(buttonmove, kButtonMove);
    buttonmove.set_caption(VR_TEXT("Board", "移動"));
    place(buttonsummon, kButtonSummon);
    buttonsummon.set_caption(VR_TEXT("Board", "召喚"));
    place(buttonmagic, kButtonMagic);
    buttonmagic.set_caption(VR_TEXT("Board", "魔法"));
    place(buttonturn_end, kButtonTurnEnd);
    buttonturn_end.set_caption(kStartCaption);
    place(Label4, kTurnDisplay);
    Label4.set_back_colour(kTurnDisplayColour);
    place(gameend, kGameEnd);
    gameend.set_caption(VR_TEXT("Board", "ゲーム終了"));
    place(navi, kNavi);
    navi.set_back_colour(kWhite);

    for (int i = 0; i <= kLastSlot; ++i) {
        monicon(i).place(kIconLeft + kIconPitch * i, kFamiliarIconTop, kIconSize, kIconSize);
    }
    for (int i = 0; i <= kLastMagic; ++i) {
        mgcicon(i).place(kIconLeft + kIconPitch * i, kMagicIconTop, kIconSize, kIconSize);
    }
}

void GameForm::wire_handlers() {
    buttonmove.on_click = [this] { buttonmove_Click(); };
    buttonsummon.on_click = [this] { buttonsummon_Click(); };
    buttonmagic.on_click = [this] { buttonmagic_Click(); };
    buttonturn_end.on_click = [this] { buttonturn_end_Click(); };
    gameend.on_click = [this] { gameend_Click(); };
    fld.on_mouse_down = [this](int button, int shift, float x, float y) {
        fld_MouseDown(button, shift, x, y);
    };
    fld.on_mouse_move = [this](int button, int shift, float x, float y) {
        fld_MouseMove(button, shift, x, y);
    };
    for (int i = 0; i <= kLastSlot; ++i) {
        monicon(i).on_mouse_down = [this, i](int b, int s, float x, float y) {
            monicon_MouseDown(i, b, s, x, y);
        };
        monicon(i).on_mouse_move = [this, i](int b, int s, float x, float y) {
            monicon_MouseMove(i, b, s, x, y);
        };
    }
    for (int i = 0; i <= kLastMagic; ++i) {
        mgcicon(i).on_mouse_down = [this, i](int b, int s, float x, float y) {
            mgcicon_MouseDown(i, b, s, x, y);
        };
        mgcicon(i).on_mouse_move = [this, i](int b, int s, float x, float y) {
            mgcicon_MouseMove(i, b, s, x, y);
        };
    }

    from_first.on_click = [this] { from_first_Click(); };
    from_past.on_click = [this] { from_past_Click(); };
    start.on_click = [this] { start_Click(); };
    to_title(0).on_click = [this] { to_title_Click(0); };
    to_title(1).on_click = [this] { to_title_Click(1); };
    st_btn.on_click = [this] { st_btn_Click(); };
    gameclear2.on_click = [this] { gameclear2_Click(); };

    menu_totitle->on_click = [this] { menu_totitle_Click(); };
    menu_save->on_click = [this] { menu_save_Click(); };
    menu_load->on_click = [this] { menu_load_Click(); };
    menu_bgm_on_off->on_click = [this] { menu_bgm_on_off_Click(); };
    for (int n = kSmallestScale; n <= kLargestScale; ++n)
        menu_scale(n)->on_click = [this, n] { menu_scale_Click(n); };
    for (int i = 0; i <= decltype(menu_speed)::kHi; ++i)
        menu_speed(i)->on_click = [this, i] { menu_speed_Click(i); };
    for (int i = 0; i <= decltype(menu_language)::kHi; ++i)
        menu_language(i)->on_click = [this, i] { menu_language_Click(i); };
    menu_gameend->on_click = [this] { menu_gameend_Click(); };
    menu_howtoplay->on_click = [this] { menu_howtoplay_Click(); };
    menu_about->on_click = [this] { menu_about_Click(); };
    miditimer.on_tick = [this] { miditimer_Timer(); };
}

void GameForm::on_unload() {
    Form_QueryUnload();
}

bool GameForm::on_key_down(int key) {
    return Form_KeyDown(key);
}

QWidget* GameForm::key_target(int key) {
    return key_button(key);
}

}  // namespace vr
