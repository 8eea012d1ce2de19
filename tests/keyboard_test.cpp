// Keyboard play: every key on every screen acts only where its click could, Enter and Space lead
// on from each screen, Tab passes over covered controls, Escape cancels, and the field cursor is
// painted over the field, never into it.
#include "campaign_helpers.h"
#include "play_helpers.h"

namespace vr::test {
namespace {

// Every key the game reads, and two it does not; Enter and Space lead on and are tried last.
const int kQuietKeys[] = {'M', 'S', 'G', '1',      '2',       '3',        '4', '5',        '6',
                          '7', '8', '9', '0',      'Q',       'W',        'E', 'R',        'T',
                          'Y', 'U', 'I', kKeyLeft, kKeyRight, kKeyEscape, 'A', Qt::Key_Tab};

// What a player could see change: the screen, the stage, whose turn, the command, the field.
std::string look(GameForm& form) {
    return std::string(screen_name(visible_screen(form))) + " stage " + std::to_string(form.stage) +
           " side " + std::to_string(form.active_side) + " mode '" + form.ActionMode + "' navi " +
           form.navi.caption() + " field " + std::to_string(form.fld.image().cacheKey());
}

class KeyboardTest : public PlayTest {};

TEST_F(KeyboardTest, OnEveryScreenOnlyItsOwnButtonAnswersAndEnterLeadsOn) {
    const struct {
        const char* name;
        Frame* shown;  // shown over a stage in play; nullptr keeps the start-up title
        Screen after_enter;
    } rows[] = {
        {"title before any game", nullptr, Screen::Prologue},
        {"prologue", &form->frame_prologue, Screen::Board},
        {"stage clear", &form->frame_stageclear, Screen::Board},
        {"game over", &form->frame_gameover, Screen::Title},
        {"epilogue", &form->frame_epilogue, Screen::GameClear},
        {"game clear", &form->frame_gameclear, Screen::Title},
        {"title after a game", &form->frame_title, Screen::Prologue},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.shown) {
            begin_stage(1);
            form->show_screen(row.shown);
        }
        const std::string before = look(*form);
        for (int key : kQuietKeys) press_key(*form, key);
        EXPECT_EQ(look(*form), before) << "a key reached a control this screen covers";
        EXPECT_FALSE(form->key_cursor_shown);
        press_key(*form, kKeyEnter);
        EXPECT_EQ(visible_screen(*form), row.after_enter);
    }
}

TEST_F(KeyboardTest, TabPassesOverCoveredButtonsAndEnterPressesTheFocusedOne) {
    form->show();
    form->activateWindow();
    std::vector<QWidget*> focused;
    for (int i = 0; i < 3; ++i) {
        press_key(*form, Qt::Key_Tab);
        focused.push_back(form->focusWidget());
    }
    EXPECT_EQ(focused, (std::vector<QWidget*>{&form->from_first, &form->from_past, &form->from_first}));
    press_key(*form, Qt::Key_Tab);
    press_key(*form, kKeyEnter);  // 続きから, with no save
    EXPECT_EQ(visible_screen(*form), Screen::Title);
    EXPECT_NE(form->title_message.caption(), "");

    begin_stage(1);
    form->show_screen(nullptr);
    const std::set<QWidget*> board = {&form->buttonmove, &form->buttonsummon, &form->buttonmagic,
                                      &form->buttonturn_end, &form->gameend};
    for (int i = 0; i < 6; ++i) {
        press_key(*form, Qt::Key_Tab);
        EXPECT_EQ(board.count(form->focusWidget()), 1u) << "tab " << i;
    }
}

TEST_F(KeyboardTest, EscapeCancelsTheCommandAndTheCursorIsPaintedOverTheField) {
    begin_play(2);
    form->show_screen(nullptr);
    dice.script({kShut, kShut});
    press_key(*form, kKeySpace);  // 開始
    ASSERT_EQ(form->active_side, kHuman);
    const QImage field = form->fld.image().copy();
    const QImage icon = form->mgcicon(kSleep).image().copy();
    press_key(*form, 'G');
    ASSERT_EQ(form->ActionMode, "magic");
    ASSERT_NE(form->mgcicon(kSleep).image(), icon) << "the affordable Magic is marked";
    press_key(*form, kKeyEscape);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");
    EXPECT_EQ(form->mgcicon(kSleep).image(), icon);

    for (int key : {kKeyRight, kKeyRight, kKeyLeft, kKeyRight}) press_key(*form, key);
    EXPECT_EQ(form->key_square, 2) << "the first press shows the cursor where it was";
    EXPECT_EQ(form->fld.image(), field) << "the cursor stays out of the field's picture";
    const QImage shown = form->fld.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int inside = 0, outside = 0;
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
            if (shown.pixel(x, y) != field.pixel(x, y)) ++(x / kSquareWidth == 2 ? inside : outside);
        }
    }
    EXPECT_GT(inside, 0) << "the cursor shows on screen around square 2";
    EXPECT_EQ(outside, 0);
    press_key(*form, kKeyEscape);
    EXPECT_FALSE(form->key_cursor_shown);
}

}  // namespace
}  // namespace vr::test
