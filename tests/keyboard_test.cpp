// Keyboard play: on every screen only that screen's own controls answer keys, Enter leads on and
// Tab never rests on a covered button; Escape cancels; the field cursor is painted over the field,
// never into it.
#include <string_view>

#include "campaign_helpers.h"
#include "play_helpers.h"

namespace vr::test {
namespace {

// What a player could see change: the screen, the stage, whose turn, the command, the field.
std::string look(GameForm& form) {
    return std::string(screen_name(visible_screen(form))) + " stage " + std::to_string(form.stage) +
           " side " + std::to_string(form.active_side) + " mode '" + form.ActionMode + "' navi " +
           form.navi.caption() + " field " + std::to_string(form.fld.image().cacheKey());
}

class KeyboardTest : public PlayTest {};

TEST_F(KeyboardTest, OnEveryScreenOnlyItsOwnButtonsAnswerAndEnterLeadsOn) {
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
    form->show();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.shown) {
            begin_stage(1);
            form->show_screen(row.shown);
        }
        const std::string before = look(*form);
        // Every key the game reads but Enter and Space, and one it does not.
        for (char key : std::string_view("MSGA1234567890QWERTYUI")) press_key(*form, key);
        for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Escape, Qt::Key_Tab}) press_key(*form, key);
        EXPECT_EQ(look(*form), before) << "a key reached a control this screen covers";
        EXPECT_FALSE(form->key_cursor_shown);
        ASSERT_NE(form->focusWidget(), nullptr);
        EXPECT_TRUE(reachable(*form->focusWidget())) << "Tab rests on a covered control";
        press_key(*form, Qt::Key_Return);
        EXPECT_EQ(visible_screen(*form), row.after_enter);
        EXPECT_EQ(form->focusWidget(), nullptr) << "the next screen starts without focus";
    }
}

TEST_F(KeyboardTest, EscapeCancelsTheCommandAndTheCursorIsPaintedOverTheField) {
    begin_play(2);
    form->show_screen(nullptr);
    dice.script({kShut, kShut});
    press_key(*form, Qt::Key_Space);  // 開始
    const QImage icon = form->mgcicon(kSleep).image().copy();
    press_key(*form, Qt::Key_G);
    ASSERT_NE(form->mgcicon(kSleep).image(), icon) << "the affordable Magic is marked";
    press_key(*form, Qt::Key_Escape);
    EXPECT_EQ(form->ActionMode, "");
    EXPECT_EQ(form->navi.caption(), "行動を選んでください");
    EXPECT_EQ(form->mgcicon(kSleep).image(), icon);

    const QImage field = form->fld.image().copy();
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Right}) press_key(*form, key);
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
}

}  // namespace
}  // namespace vr::test
