// The whole campaign, title to game clear, played through the real handlers by a scripted player
// against the real computer: screens, rewards, turn counts, records and music along the way; and
// every screen and message of it in English.
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionButton>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "campaign_helpers.h"
#include "campaign_player.h"
#include "platform/files/record_file.h"
#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr int kMaxTurnsPerStage = 60;
constexpr int kTurnsPerHit = 4;
constexpr int kRecordCount = kTotalTurnsIndex;
constexpr int kNoRecord = 999;

struct Campaign {
    Campaign() : form(std::make_unique<GameForm>(GameServices{pause, dice, music})), player(*form, dice) {
        form->Form_Load();
    }
    ScratchDataDir data;
    InstantPause pause;
    CampaignDice dice;
    RecordingMusicDevice music;
    std::unique_ptr<GameForm> form;
    CampaignPlayer player;

    std::vector<int> records() { return read_record_numbers(data.path("vrrec.txt"), kRecordCount).value(); }
};

std::string turn_caption(int stage, int turn) {
    return "ステージ " + std::to_string(stage) + "\r\n ターン " + std::to_string(turn);
}

// The records file after the given stages were each won in a first ever campaign.
std::vector<int> expected_records(const std::vector<int>& turns, int total) {
    std::vector<int> records(kRecordCount, kNoRecord);
    std::copy(turns.begin(), turns.end(), records.begin());
    records[kTotalTurnsIndex - 1] = total;
    return records;
}

TEST(CampaignPlaythrough, TitleToGameClearThroughTheRealHandlers) {
    Campaign game;
    GameForm& form = *game.form;
    ASSERT_EQ(visible_screen(form), Screen::Title);

    form.from_first_Click();
    ASSERT_EQ(visible_screen(form), Screen::Prologue);
    game.music.commands.clear();
    form.start_Click();
    ASSERT_EQ(visible_screen(form), Screen::Board);
    EXPECT_EQ(game.music.commands, play_commands("vr_data\\dice.mid"));

    std::vector<int> turns_won;
    for (int stage = 1; stage <= kLastStage; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        ASSERT_EQ(form.stage, stage);
        const int master_hp = form.masters(kComputer).hp;
        EXPECT_EQ(form.Label4.caption(), turn_caption(stage, 0));
        EXPECT_EQ(form.buttonturn_end.caption(), "開始");
        int turns = 0;
        while (game.player.board_in_play()) {
            ASSERT_LT(turns, kMaxTurnsPerStage) << "the scripted player is stuck on stage " << stage;
            game.music.commands.clear();
            game.player.end_turn();
            if (!game.player.board_in_play()) break;  // the computer ended the stage in its turn
            ++turns;
            ASSERT_EQ(form.active_side, kHuman);
            EXPECT_EQ(form.stage_turns(stage), turns);
            EXPECT_EQ(form.Label4.caption(), turn_caption(stage, turns));
            EXPECT_EQ(form.masters(kHuman).mp, form.masters(kHuman).mp_max) << "a top-face roll fills MP";
            game.music.commands.clear();
            game.player.play_turn();
        }
        ASSERT_NE(visible_screen(form), Screen::GameOver) << "the heroine fell on stage " << stage;
        EXPECT_EQ(form.familiars(kComputer, 0).square, kComputerHome) << "the computer stayed passive";
        EXPECT_EQ(game.music.commands, play_commands("vr_data\\nextmap.mid"));
        // Each hit: a summoning turn, then hops 0 -> 4 -> 8 -> 12 -> 13 on the scripted dice.
        EXPECT_EQ(turns, kTurnsPerHit * master_hp);
        turns_won.push_back(turns);
        const int total = std::accumulate(turns_won.begin(), turns_won.end(), 0);
        EXPECT_EQ(form.stage_turns(stage), turns);
        EXPECT_EQ(form.stage_turns(kTotalTurnsIndex), total);
        // A first campaign beats every record, and the total is judged only on leaving the epilogue.
        EXPECT_EQ(game.records(), expected_records(turns_won, kNoRecord));
        if (stage == kLastStage) break;

        ASSERT_EQ(visible_screen(form), Screen::StageClear);
        EXPECT_EQ(form.st_text1.caption(),
                  "使い魔\r\n「" + form.familiars(kHuman, stage + 2).name + "」\r\nをゲット！");
        EXPECT_EQ(form.st_text2.caption(), "魔法\r\n「" + form.magics(stage).label + "」\r\nをゲット！");
        EXPECT_TRUE(form.familiars(kHuman, stage + 2).owned);
        EXPECT_TRUE(form.magics(stage).owned);
        EXPECT_EQ(form.stage, stage + 1);
        game.music.commands.clear();
        form.st_btn_Click();
        ASSERT_EQ(visible_screen(form), Screen::Board);
        EXPECT_EQ(game.music.commands, play_commands("vr_data\\dice.mid"));
    }

    ASSERT_EQ(visible_screen(form), Screen::Epilogue);
    EXPECT_EQ(form.stage, 1) << "the next campaign waits at stage 1";
    const int total = std::accumulate(turns_won.begin(), turns_won.end(), 0);
    game.music.commands.clear();
    form.gameclear2_Click();
    ASSERT_EQ(visible_screen(form), Screen::GameClear);
    EXPECT_EQ(game.music.commands, play_commands("vr_data\\clear.mid"));
    EXPECT_EQ(game.records(), expected_records(turns_won, total));
    for (int n = 1; n <= kTotalTurnsIndex; ++n) EXPECT_EQ(form.stage_turns(n), 0) << "count " << n;

    form.to_title_Click(1);
    EXPECT_EQ(visible_screen(form), Screen::Title);
}

// Stage 1 by keys alone at the fastest speed plays exactly as by the handlers at the game's own
// pace: the same turns, and the rules ask for the same pauses.
TEST(CampaignPlaythrough, AStageByKeysAtAnySpeedPlaysAsByTheHandlers) {
    std::vector<int> pauses[2];
    int turns[2] = {0, 0};
    for (int by_keys = 0; by_keys <= 1; ++by_keys) {
        SCOPED_TRACE(by_keys ? "by keys" : "by handlers");
        Campaign game;
        GameForm& form = *game.form;
        if (by_keys) {
            game.player.keys = [&form](int key) { press_key(form, key); };
            form.menu_speed(2)->click();
            press_key(form, Qt::Key_Return);  // 最初から
            press_key(form, Qt::Key_Return);  // スタート
        } else {
            form.from_first_Click();
            form.start_Click();
        }
        ASSERT_EQ(visible_screen(form), Screen::Board);
        while (game.player.board_in_play()) {
            ASSERT_LT(turns[by_keys], kMaxTurnsPerStage);
            game.player.end_turn();
            if (!game.player.board_in_play()) break;
            ++turns[by_keys];
            game.player.play_turn();
        }
        ASSERT_EQ(visible_screen(form), Screen::StageClear);
        pauses[by_keys] = game.pause.pauses;
        if (by_keys) {
            press_key(form, Qt::Key_Return);  // 次のステージ
            EXPECT_EQ(visible_screen(form), Screen::Board);
            form.menu_speed(0)->click();
        }
    }
    EXPECT_EQ(turns[1], turns[0]);
    EXPECT_EQ(pauses[1], pauses[0]);
    for (int asked : {30, 500, 1000})
        EXPECT_NE(std::find(pauses[1].begin(), pauses[1].end(), asked), pauses[1].end()) << asked;
}

// ---- the game in English ----

// Kana, kanji, and the full-width forms and punctuation of Japanese writing.
bool has_japanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
    });
}

// A text of the window, shown now or once its screen is up; a control's with its caption().
struct Shown {
    std::string where;
    QString text;
    const QWidget* control = nullptr;  // none for the title, a tooltip or a menu
    std::string source;
};

void add_menu_texts(const QList<QAction*>& actions, const std::string& path, std::vector<Shown>& out) {
    for (int i = 0; i < actions.size(); ++i) {
        out.push_back({"menu item " + path + std::to_string(i), actions[i]->text(), nullptr, {}});
        if (actions[i]->menu())
            add_menu_texts(actions[i]->menu()->actions(), path + std::to_string(i) + ".", out);
    }
}

std::vector<Shown> shown_texts(GameForm& form) {
    std::vector<Shown> shown = {{"window title", form.windowTitle(), nullptr, {}}};
    for (const QWidget* widget : form.client()->findChildren<QWidget*>()) {
        if (const auto* label = dynamic_cast<const Label*>(widget))
            shown.push_back({"label " + label->caption(), label->text(), label, label->caption()});
        if (const auto* button = dynamic_cast<const CommandButton*>(widget)) {
            shown.push_back({"button " + button->caption(), button->text(), button, button->caption()});
            shown.push_back({"tooltip of " + button->caption(), button->toolTip(), nullptr, {}});
        }
        // A screen hides its border and the caption on it.
        if (const auto* frame = dynamic_cast<const Frame*>(widget); frame && frame->border_visible())
            shown.push_back({"frame " + frame->caption(), frame->shown_caption(), frame, frame->caption()});
    }
    add_menu_texts(form.menuBar()->actions(), "", shown);
    // 遊び方 and このゲームについて, while open.
    for (const DocumentWindow* window : {form.help_window.get(), form.about_window.get()}) {
        if (!window || !window->isVisible()) continue;
        shown.push_back({"reading window's title", window->windowTitle(), nullptr, {}});
        shown.push_back(
            {"page " + window->windowTitle().toStdString(), window->page().toPlainText(), nullptr, {}});
        for (const QPushButton* button : window->findChildren<QPushButton*>())
            shown.push_back({"reading window's button", button->text(), nullptr, {}});
    }
    return shown;
}

QString as_shown(const std::string& source) {
    return QString::fromStdString(source).replace("\r\n", "\n");
}

// An English text fits its control as the game's font draws it at x1: as wide as the control
// (a button's inside its frame, a panel's caption on its border), as high as the control or the
// Japanese it stands for.
void expect_fits(const Shown& shown) {
    const QWidget& control = *shown.control;
    int width = control.width();
    if (const auto* button = dynamic_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        width = control.style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else if (dynamic_cast<const Frame*>(&control)) {
        // The caption's indent at both ends, and its gaps.
        width -= 2 * Frame::kCaptionLeft + 2 * Frame::kCaptionPadding;
    }
    const auto* label = dynamic_cast<const QLabel*>(&control);
    const int flags = label && label->wordWrap() ? Qt::TextWordWrap : 0;
    const auto needs = [&](const QString& text) {
        return QFontMetrics(control.font()).boundingRect(QRect(0, 0, width, 1 << 20), flags, text);
    };
    const QRect english = needs(shown.text);
    EXPECT_LE(english.width(), width) << shown.where << ": \"" << shown.text.toStdString() << "\" is cut off";
    EXPECT_LE(english.height(), std::max(control.height(), needs(as_shown(shown.source)).height()))
        << shown.where << ": \"" << shown.text.toStdString() << "\" takes too many lines";
}

// The window as it stands, switched to English: no Japanese anywhere but the language menu's own
// name for Japanese, every text in its control; then back in Japanese, exactly what it showed,
// which is every control's own caption.
void expect_english_then_japanese_again(GameForm& form, const std::string& scene) {
    SCOPED_TRACE(scene);
    const std::vector<Shown> japanese = shown_texts(form);
    form.menu_language(1)->click();
    for (const Shown& shown : shown_texts(form)) {
        if (shown.text == "言語 / Language" || shown.text == "日本語") continue;
        EXPECT_FALSE(has_japanese(shown.text))
            << shown.where << " reads \"" << shown.text.toStdString() << "\"";
        if (shown.control && !shown.text.isEmpty()) expect_fits(shown);
    }
    form.menu_language(0)->click();
    const std::vector<Shown> again = shown_texts(form);
    ASSERT_EQ(again.size(), japanese.size());
    for (size_t i = 0; i < again.size(); ++i) {
        // What it showed before, and for a control exactly its caption().
        EXPECT_EQ(again[i].text, japanese[i].text) << again[i].where;
        EXPECT_EQ(again[i].text, again[i].control ? as_shown(again[i].source) : again[i].text)
            << again[i].where;
    }
}

TEST(CampaignPlaythrough, EveryScreenAndMessageReadsInEnglishAndBackInJapanese) {
    Campaign game;
    GameForm& form = *game.form;
    const auto check = [&](const std::string& scene) { expect_english_then_japanese_again(form, scene); };
    using std::filesystem::create_directory, std::filesystem::remove;
    const std::filesystem::path save = game.data.path("vrdat.txt"), records = game.data.path("vrrec.txt");

    // The title, the prologue and the first turns, with every message the board can give.
    const std::vector<std::pair<const char*, std::function<void()>>> opening = {
        {"title", [] {}},
        {"title: no save to continue", [&] { form.from_past_Click(); }},
        {"title: nothing to save yet", [&] { form.menu_save->click(); }},
        {"prologue", [&] { form.from_first_Click(); }},
        {"prologue: no save to load", [&] { form.menu_load->click(); }},
        {"board before the first turn", [&] { form.start_Click(); }},
        {"the first turn", [&] { game.player.end_turn(); }},
        {"nothing to move", [&] { form.buttonmove_Click(); }},
        {"choosing a Magic", [&] { form.buttonmagic_Click(); }},
        {"a Magic without a target", [&] { press_magic_icon(form, kSleep); }},
        {"a Magic on a square", [&] { form.buttonmagic_Click(), press_magic_icon(form, kTrap); }},
        {"choosing a Familiar to summon", [&] { form.buttonsummon_Click(); }},
        {"summoned", [&] { press_familiar_icon(form, 0); }},
        {"a Magic on a Familiar",
         [&] { form.masters(kHuman).mp = 6, form.buttonmagic_Click(), press_magic_icon(form, kQuick); }},
        {"nothing to summon, no Magic to cast",
         [&] { form.masters(kHuman).mp = 0, form.buttonsummon_Click(), form.buttonmagic_Click(); }},
        {"the save failed", [&] { create_directory(save), form.menu_save->click(), remove(save); }},
        {"saved", [&] { form.menu_save->click(); }},
        {"the computer's turn, thinking at its first pause; then choosing a Familiar to move",
         [&] {
             bool seen = false;
             game.pause.on_sleep = [&] {
                 if (!std::exchange(seen, true)) check("the computer thinking");
             };
             game.player.end_turn();
             game.pause.on_sleep = nullptr;
             form.buttonmove_Click();
         }},
        {"choosing where to move", [&] { press_square(form, form.familiars(kHuman, 0).square); }},
    };
    for (const auto& [scene, act] : opening) {
        act();
        check(scene);
    }
    form.menu_howtoplay->click();
    form.menu_about->click();
    check("遊び方 and このゲームについて, open beside the board");
    form.help_window->close();
    form.about_window->close();
    for (int info = 0; info <= kLastSlot + 1 + kLastMagic; ++info) {
        info <= kLastSlot ? form.show_familiar_info(kHuman, info)
                          : form.show_magic_info(info - kLastSlot - 1);
        check("the info panel, Familiar 0..9 then Magic 0..7: " + std::to_string(info));
    }
    // Every stage clear with its rewards and record, the last with a records file it cannot write;
    // the next stage's Master waits on the board behind each.
    for (int stage = 1; stage <= kLastStage; ++stage) {
        if (stage == kLastStage) remove(records), create_directory(records);
        for (int turn = 0; turn < kMaxTurnsPerStage && game.player.board_in_play(); ++turn) {
            game.player.end_turn();
            if (game.player.board_in_play()) game.player.play_turn();
        }
        check("stage " + std::to_string(stage) + " cleared");
        if (stage < kLastStage) form.st_btn_Click();
    }
    form.gameclear2_Click();
    check("game clear");
    form.to_title_Click(1);
    form.from_first_Click();
    form.start_Click();
    form.masters(kHuman).hp = 0;
    form.check_victory();
    check("game over");
}

}  // namespace
}  // namespace vr::test
