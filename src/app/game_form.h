// The one window of the game and the one object: every control, picture and state variable,
// and every routine as a method. This header is the map of the program; the bodies live in the
// folder of their subsystem.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/music_device.h"
#include "platform/services.h"
#include "platform/window/controls.h"
#include "platform/window/document_window.h"
#include "state/bounded_array.h"
#include "state/game_constants.h"
#include "state/game_texts.h"
#include "state/records.h"

namespace vr {

// What the game blocks on, draws from and plays through; replaced by tests.
struct GameServices {
    Pause& pause;
    RandomSource& random;
    MusicDevice& music;
};

class GameForm : public Window {
public:
    explicit GameForm(GameServices services);
    ~GameForm() override;

    // ---- controls: the board (src/app/game_form.cpp) ----
    PictureBox fld{client()};                                 // the field, 448 x 40
    ControlArray<Frame, 1, 2> Frame1{client()};               // Master panels, index = side
    Label hp1{&Frame1(1)}, mp1{&Frame1(1)}, mv1{&Frame1(1)};  // headings 体 魔 移 of side 1
    Label hp2{&Frame1(2)}, mp2{&Frame1(2)}, mv2{&Frame1(2)};  // the same for side 2
    PictureBox mashp_1{&Frame1(1)}, masmp_1{&Frame1(1)}, masmv_1{&Frame1(1)};
    PictureBox mashp_2{&Frame1(2)}, masmp_2{&Frame1(2)}, masmv_2{&Frame1(2)};
    PictureBox& mashp(int side);  // Master hp value box, index = side
    PictureBox& masmp(int side);  // Master MP value box
    PictureBox& masmv(int side);  // Master MV value box

    Frame DataFrame{client()};  // the info panel
    PictureBox data_pic{&DataFrame};
    Label label_hp{&DataFrame}, label_mp{&DataFrame}, label_mv{&DataFrame}, label_atk{&DataFrame};
    PictureBox hpdice{&DataFrame}, mpdice{&DataFrame}, mvdice{&DataFrame}, atkdice{&DataFrame};
    Label data_text{&DataFrame};

    CommandButton buttonmove{client()};                // 移動
    CommandButton buttonsummon{client()};              // 召喚
    CommandButton buttonmagic{client()};               // 魔法
    CommandButton buttonturn_end{client()};            // 開始 / Next / Wait
    Label Label4{client()};                            // stage and turn display
    CommandButton gameend{client()};                   // ゲーム終了
    Label navi{client()};                              // what to do next
    ControlArray<PictureBox, 0, 9> monicon{client()};  // familiar icon strip, index = slot
    ControlArray<PictureBox, 0, 7> mgcicon{client()};  // magic icon strip, index = Magic

    // ---- controls: the six screens, laid over the board (src/app/screen_layout.cpp) ----
    Frame frame_title{client()};
    PictureBox title_pic{&frame_title};
    CommandButton from_first{&frame_title};  // 最初から
    CommandButton from_past{&frame_title};   // 続きから
    Label title_message{&frame_title};       // tells the player when there is no usable save

    Frame frame_prologue{client()};
    PictureBox prologue_pic{&frame_prologue};
    Label Text1{&frame_prologue};          // the four-line story
    CommandButton start{&frame_prologue};  // スタート

    Frame frame_gameover{client()};
    PictureBox gameover_pic{&frame_gameover};

    Frame frame_gameclear{client()};
    PictureBox gameclear_pic{&frame_gameclear};
    Label Label7{&frame_gameclear};  // records message

    CommandButton to_title_0{&frame_gameover};   // タイトルに戻る, to_title(0)
    CommandButton to_title_1{&frame_gameclear};  // タイトルに戻る, to_title(1)
    CommandButton& to_title(int index);

    Frame frame_stageclear{client()};
    Label st_heading1{&frame_stageclear}, st_heading2{&frame_stageclear};  // section titles
    PictureBox st_pic{&frame_stageclear};                                  // Familiar reward
    Label st_text1{&frame_stageclear};
    Label st_label_hp{&frame_stageclear}, st_label_atk{&frame_stageclear};
    Label st_label_mv{&frame_stageclear}, st_label_mp{&frame_stageclear};
    PictureBox st_hpdice{&frame_stageclear}, st_atkdice{&frame_stageclear};
    PictureBox st_mvdice{&frame_stageclear}, st_mpdice{&frame_stageclear};
    PictureBox st_pic2{&frame_stageclear};  // Magic reward
    Label st_text2{&frame_stageclear};
    Label st_label_mp2{&frame_stageclear};
    PictureBox st_mpdice2{&frame_stageclear};
    Label growth_heading{&frame_stageclear};  // ロッタの成長
    Label growth_label_hp{&frame_stageclear}, growth_label_mp{&frame_stageclear};
    Label growth_label_mv{&frame_stageclear};
    PictureBox mas_hpold{&frame_stageclear}, mas_mgcold{&frame_stageclear}, mas_mvold{&frame_stageclear};
    Label growth_arrow_hp{&frame_stageclear}, growth_arrow_mp{&frame_stageclear};
    Label growth_arrow_mv{&frame_stageclear};  // ↓
    PictureBox mas_hpnew{&frame_stageclear}, mas_mgcnew{&frame_stageclear}, mas_mvnew{&frame_stageclear};
    Label Label5{&frame_stageclear};          // records message
    CommandButton st_btn{&frame_stageclear};  // 次のステージ

    Frame frame_epilogue{client()};
    PictureBox epilogue_pic1{&frame_epilogue}, epilogue_pic2{&frame_epilogue};
    BoundedArray<Label*, 1, 5> epilogue_lines{};  // the five lines of dialogue
    Label Label9{&frame_epilogue};                // records message
    CommandButton gameclear2{&frame_epilogue};    // Next

    // Lies over whichever screen is shown (navi is hidden under it) to say why a load or save did
    // nothing; the title uses title_message instead. Hidden by every screen change.
    Label screen_message{client()};

    // ---- controls: menu and music timer ----
    MenuItem* menu_totitle = nullptr;     // タイトルに戻る
    MenuItem* menu_save = nullptr;        // セーブ
    MenuItem* menu_load = nullptr;        // ロード
    MenuItem* menu_bgm_on_off = nullptr;  // BGM, checked = music on
    // 画面サイズ ×1..×4; the one checked is the window's scale
    BoundedArray<MenuItem*, 1, 4> menu_scale{};
    BoundedArray<MenuItem*, 0, 2> menu_speed{};  // 速度: ふつう, はやい, とてもはやい; checked = chosen
    BoundedArray<MenuItem*, 0, 1> menu_language{};  // 言語 / Language: 日本語, English; checked = shown
    MenuItem* menu_gameend = nullptr;               // ゲーム終了
    BoundedArray<MenuItem*, 1, 8> stg{};            // 最短記録: stg1..stg8
    MenuItem* sum = nullptr;                        // 最短記録: 総ターン
    MenuItem* menu_howtoplay = nullptr;             // ヘルプ: 遊び方, also F1
    MenuItem* menu_about = nullptr;                 // ヘルプ: このゲームについて
    Timer miditimer;                                // asks the music device once a second

    // ---- controls: windows beside the game, made when first opened (src/app/help.cpp) ----
    std::unique_ptr<DocumentWindow> help_window;   // 遊び方
    std::unique_ptr<DocumentWindow> about_window;  // このゲームについて

    // ---- pictures (loaded once at start-up) ----
    BoundedArray<Picture, 0, 12> number_pictures;  // picture N shows the value N
    Picture field_picture;
    Picture attack_picture, attack_mask;    // hit mark
    Picture death_picture, death_mask;      // fall mark
    Picture cursor_picture, cursor_mask;    // cursor mark
    Picture master2_picture, master2_mask;  // the last stage's Master
    Picture title_picture, prologue_picture, gameover_picture, gameclear_picture;
    Picture epilogue_picture1, epilogue_picture2;

    // ---- game state: records ----
    BoundedArray2<FamiliarRecord, 1, 2, 0, 9> familiars;  // (side, slot)
    BoundedArray<MasterRecord, 1, 2> masters;             // by side
    BoundedArray<MagicRecord, 0, 7> magics;               // by Magic index

    // ---- game state: counters and flags ----
    int16_t stage = 0;                        // 1..8; 0 before the first game
    BoundedArray<int16_t, 1, 9> stage_turns;  // turns per stage 1..8; 9 = whole campaign
    BoundedArray<int16_t, 1, 9> best_turns;   // records, same indexing
    int16_t active_side = 0;                  // 1..2 whose turn it is; 0 before the first stage
    BoundedArray<bool, 1, 12> trap_flags;     // a trap lies on the square
    bool computer_thinking = false;           // side 2 is looking for its next action

    // ---- game state: the player's current command ----
    std::string ActionMode;                    // "move", "move2", "summon", "magic", a Magic keyword, or ""
    int16_t selected_slot = 0;                 // 0..9, the Familiar chosen in "move"
    int16_t back_destination = 0;              // its square minus its range; may be below 0
    int16_t forward_destination = 0;           // its square plus its range; may be above 13
    BoundedArray<bool, 1, 12> target_squares;  // squares the chosen Magic may be cast on
    BoundedArray2<bool, 1, 2, 0, 9> target_familiars;  // Familiars the chosen Magic may be cast on

    // ---- game state: keyboard play ----
    int16_t key_square = kFirstFieldSquare;  // 1..13, the square under the field's keyboard cursor
    bool key_cursor_shown = false;           // Left/Right show the cursor, Escape hides it

    // ---- start-up and window (src/app) ----
    // Runs the start-up; throws StartupError when a picture cannot be read.
    void Form_Load();
    // Called by Form_Load as soon as the title screen is complete, before the board's pictures
    // load: main shows the window there, so the title is seen first. Tests leave it unset.
    std::function<void()> on_title_ready;
    void Form_QueryUnload();
    void layout_board();
    void layout_screens();
    void load_screen_pictures();
    void wire_handlers();

    // ---- window scale (src/app/window_scale.cpp) ----
    void restore_window_scale();  // the player's stored choice, else the largest that fits the screen
    void set_window_scale(int scale);
    void menu_scale_Click(int scale);

    // ---- catalogue (src/state/catalogue.cpp) ----
    void load_catalogue();

    // ---- screens and menu (src/app/screens.cpp) ----
    void show_screen(Frame* screen);  // shows one screen and hides the other five; nullptr hides all
    bool board_in_play() const;       // a stage exists and no screen covers the board
    void from_first_Click();
    void from_past_Click();
    void start_Click();
    void to_title_Click(int index);
    void menu_totitle_Click();
    void menu_gameend_Click();
    void gameend_Click();

    // ---- help: the rules and the About box (src/app/help.cpp) ----
    void menu_howtoplay_Click();
    void menu_about_Click();
    void write_help_page(DocumentWindow& page);
    DocumentTable familiar_table();  // from the catalogue, so the page always tells what the game does
    DocumentTable magic_table();
    Picture field_illustration();  // the field with both Masters and a few Familiars
    void write_about_page(DocumentWindow& page);

    // ---- game speed (src/app/game_speed.cpp) ----
    void load_speed_setting();         // the speed chosen in an earlier run, or ふつう
    void menu_speed_Click(int index);  // 0 ふつう, 1 はやい, 2 とてもはやい

    // ---- language (src/app/game_language.cpp) ----
    void load_language_setting();         // the language chosen in an earlier run, else the desktop's
    void menu_language_Click(int index);  // 0 日本語, 1 English
    void show_language_marks();

    // ---- board: field drawing and marks (src/board) ----
    void draw_field(int side, int slot, int from_square, int to_square);
    void build_static_scene(int left_out_side, int left_out_slot);
    void draw_sprite(PictureBox& box, const Picture& picture, const Picture& mask, int x, int y);
    void draw_cursor_on_square(int square);
    void draw_cursor_on_icon(PictureBox& icon);
    void show_value(PictureBox& box, int value);  // number picture, clamped to 0..12

    // ---- commands: buttons, field clicks, icon strips, info panel (src/commands) ----
    void buttonmove_Click();
    void buttonsummon_Click();
    void buttonmagic_Click();
    void reset_icon_strips();
    void fld_MouseDown(int button, int shift, float x, float y);
    void fld_MouseMove(int button, int shift, float x, float y);
    void monicon_MouseDown(int index, int button, int shift, float x, float y);
    void monicon_MouseMove(int index, int button, int shift, float x, float y);
    void mgcicon_MouseDown(int index, int button, int shift, float x, float y);
    void mgcicon_MouseMove(int index, int button, int shift, float x, float y);
    void show_familiar_info(int side, int slot);
    void show_magic_info(int index);

    // ---- commands: keyboard play, pressing what a click would (src/commands/keyboard.cpp) ----
    bool Form_KeyDown(int key);  // a key code of platform/window/keys.h; false when the key does nothing
    CommandButton* key_button(int key);  // the button a key presses on the screen shown, or nullptr
    void move_key_cursor(int step);      // -1 left, +1 right; the first press only shows the cursor
    void hide_key_cursor();
    void cancel_command();     // Escape: no command, no marks
    void show_key_tooltips();  // each button's key, in its tooltip

    // ---- rules: summoning, movement and strikes, Magic effects (src/rules) ----
    void summon_familiar(int slot);
    int move_range(int side, int slot);
    void move_familiar(int side, int slot, int direction, int distance);
    void advance_familiar(int side, int slot, int direction, int distance);
    void strike_familiar(int side, int slot, int direction);
    void bow_attack(int side, int slot, int direction, int distance);
    void return_to_master(int side, int slot);
    void cast_sleep(int slot);
    void cast_heal(int slot);
    void cast_bullet(int slot);
    void cast_quick(int slot);
    void cast_power(int slot);
    void cast_trap(int square);
    void cast_highheal(int slot);
    void cast_meteor(int centre);

    // ---- turns: turn end, computer opponent, victory (src/turns) ----
    void buttonturn_end_Click();
    void computer_turn();
    int check_victory();  // 0 play on, 1 side 1's Master fell, 2 side 2's Master fell

    // ---- campaign: stage set-up, stage clear, game over, epilogue (src/campaign) ----
    void stage_setup();
    void setup_heroine();
    void setup_opponent();
    void stage_clear();
    void grow_heroine();
    void st_btn_Click();
    void game_over();
    void show_epilogue();
    void gameclear2_Click();

    // ---- storage: save file and records file (src/storage) ----
    void menu_save_Click();
    void menu_load_Click();
    void load_records();
    Text update_record(int n);  // the new-record message, or an empty text
    void show_record_captions();

    // ---- audio: background music (src/audio) ----
    int mciSendString(const std::string& command, std::string* reply = nullptr);
    void play_bgm(const std::string& file);
    void miditimer_Timer();
    void menu_bgm_on_off_Click();

    // ---- services ----
    Pause& pause;
    RandomSource& random;
    MusicDevice& music;

    // Sleep as the rules call it: every pause of the game goes through the pause service.
    void Sleep(int milliseconds) { pause.sleep(milliseconds); }
    float Rnd() { return random.rnd(); }

protected:
    void on_unload() override;
    bool on_key_down(int key) override;
    QWidget* key_target(int key) override;

private:
    std::vector<std::unique_ptr<MenuItem>> menu_items_;
    MenuItem* add_menu_item(QMenu* menu, const Text& caption);
};

}  // namespace vr
