// The six screens at 465 x 279: every control inside its screen and clear of the notice strip, no
// two controls on top of each other, and every text, at its longest, fitting its control; and the
// whole window at the scales of the menu 画面サイズ.
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>

#include "campaign_helpers.h"

namespace vr::test {
namespace {

constexpr int kNoticeTop = 263;
const QRect kNoticeStrip(0, kNoticeTop, 465, 14);

std::vector<QWidget*> controls_of(Frame& screen) {
    std::vector<QWidget*> controls;
    for (QWidget* child : screen.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) controls.push_back(child);
    }
    return controls;
}

std::string describe(QWidget* control) {
    if (auto* label = dynamic_cast<Label*>(control)) return "label \"" + label->caption() + "\"";
    if (auto* button = dynamic_cast<CommandButton*>(control)) return "button \"" + button->caption() + "\"";
    if (auto* box = dynamic_cast<PictureBox*>(control)) return "picture " + box->picture().source();
    return control->metaObject()->className();
}

// Whether every line of the text fits the control, with room for a button's frame.
void expect_text_fits(QWidget* control, const QString& text, int padding) {
    const QFontMetrics metrics(control->font());
    const QStringList lines = text.split('\n');
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line) + padding, control->width())
            << describe(control) << ": \"" << line.toStdString() << "\" is cut off";
    }
    EXPECT_LE(static_cast<int>(lines.size()) * metrics.lineSpacing(), control->height())
        << describe(control) << " has no room for its " << lines.size() << " lines";
}

void expect_screen_laid_out(GameForm& form, Frame& screen, const QWidget* background = nullptr) {
    SCOPED_TRACE(screen.caption());
    EXPECT_EQ(screen.geometry(), QRect(0, 0, 465, 279));
    const QRect usable(0, 0, 465, kNoticeTop);
    const std::vector<QWidget*> controls = controls_of(screen);
    EXPECT_GE(controls.size(), 2u) << "every screen shows a picture or text and a way on";
    for (size_t i = 0; i < controls.size(); ++i) {
        QWidget* control = controls[i];
        if (control == background) continue;
        // Only a notice line may use the strip kept for it.
        if (control->geometry() != kNoticeStrip) {
            EXPECT_TRUE(usable.contains(control->geometry())) << describe(control) << " leaves the screen";
        }
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[j] == background) continue;
            EXPECT_FALSE(control->geometry().intersects(controls[j]->geometry()))
                << describe(control) << " overlaps " << describe(controls[j]);
        }
        if (auto* label = dynamic_cast<Label*>(control)) expect_text_fits(label, label->text(), 0);
        if (auto* button = dynamic_cast<QPushButton*>(control)) expect_text_fits(button, button->text(), 12);
        if (auto* box = dynamic_cast<PictureBox*>(control); box && !box->picture().is_null()) {
            EXPECT_GE(box->width(), box->picture().width()) << describe(control);
            EXPECT_GE(box->height(), box->picture().height()) << describe(control);
        }
    }
    (void)form;
}

// The longest message a records label can hold: a new record whose file could not be written.
const std::string kLongestRecord = "最短記録を更新！\r\n総ターン\r\n999→100\r\n（記録を保存できません）";

using ScreenLayoutTest = GameTest;

TEST_F(ScreenLayoutTest, TitlePrologueAndEndScreensFitWithoutOverlap) {
    form->title_message.set_caption("使えるセーブデータがありません");
    expect_screen_laid_out(*form, form->frame_title, &form->title_pic);
    expect_screen_laid_out(*form, form->frame_prologue);
    expect_screen_laid_out(*form, form->frame_gameover);
    form->Label7.set_caption(kLongestRecord);
    expect_screen_laid_out(*form, form->frame_gameclear);
}

TEST_F(ScreenLayoutTest, StageClearScreenFitsTheRewardsOfEveryStage) {
    for (int stage = 1; stage < kLastStage; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        begin_stage(stage);
        form->stage_turns(stage) = 1;
        dice.script({0.0f});
        form->stage_clear();
        form->Label5.set_caption(kLongestRecord);
        expect_screen_laid_out(*form, form->frame_stageclear);
    }
}

TEST_F(ScreenLayoutTest, EpilogueFitsItsDialogueWithTheFirstLineOnTop) {
    form->Label9.set_caption(kLongestRecord);
    expect_screen_laid_out(*form, form->frame_epilogue);
    for (int line = 2; line <= 5; ++line) {
        EXPECT_FALSE(form->epilogue_lines(line)->caption().empty()) << line;
        EXPECT_GT(form->epilogue_lines(line)->y(), form->epilogue_lines(line - 1)->y()) << line;
    }
    for (QWidget* control : controls_of(form->frame_epilogue)) {
        EXPECT_GE(control->y(), form->epilogue_lines(1)->y())
            << describe(control) << " stands above the first line";
    }
}

TEST_F(ScreenLayoutTest, PrologueTellsTheStoryInFourLines) {
    const std::string& story = form->Text1.caption();
    EXPECT_TRUE(story.starts_with("ロッタは魔法使い見習いです。\r\n"));
    EXPECT_EQ(std::count(story.begin(), story.end(), '\n'), 3);
}

TEST_F(ScreenLayoutTest, TheNoticeLiesOverEveryScreenInTheStripTheyKeepFree) {
    EXPECT_EQ(form->screen_message.geometry(), kNoticeStrip);
    EXPECT_EQ(form->title_message.geometry(), kNoticeStrip);
    EXPECT_FALSE(form->screen_message.is_visible());
    expect_text_fits(&form->screen_message, "まだセーブできるゲームがありません", 0);
}

// Every control, on the board and on every screen, at its place in the game's pixels times the scale,
// with its text at the larger size still fitting.
void expect_window_scaled(GameForm& form, int scale) {
    SCOPED_TRACE("scale " + std::to_string(scale));
    const std::vector<QWidget*> screens = {&form.frame_title,      &form.frame_prologue,
                                           &form.frame_gameover,   &form.frame_gameclear,
                                           &form.frame_stageclear, &form.frame_epilogue};
    EXPECT_EQ(form.client()->size(), QSize(465 * scale, 279 * scale));
    EXPECT_EQ(form.menuBar()->font().pixelSize(), 12 * scale) << "the menu bar grows with the window";
    for (const QMenu* menu : form.menuBar()->findChildren<QMenu*>()) {
        if (menu->title().isEmpty()) continue;  // Qt's own, behind the overflow arrow
        EXPECT_EQ(QFontInfo(menu->font()).pixelSize(), QFontInfo(QMenu().font()).pixelSize() * scale)
            << menu->title().toStdString() << " keeps the desktop's menu font, larger";
    }
    for (QWidget* widget : form.client()->findChildren<QWidget*>()) {
        auto* control = dynamic_cast<ScaledControl*>(widget);
        ASSERT_NE(control, nullptr) << widget->metaObject()->className() << " does not scale";
        const QRect logical = control->logical_geometry();
        EXPECT_EQ(widget->geometry(), QRect(logical.topLeft() * scale, logical.size() * scale))
            << describe(widget);
        EXPECT_EQ(widget->font().pixelSize(), 12 * scale) << describe(widget);
        if (widget->isHidden()) continue;
        // The board's one-line labels are cut to their glyphs' height by design; the screens' fit.
        const bool on_a_screen =
            std::find(screens.begin(), screens.end(), widget->parentWidget()) != screens.end();
        if (auto* label = dynamic_cast<Label*>(widget); label && on_a_screen) {
            expect_text_fits(label, label->text(), 0);
        }
        if (auto* button = dynamic_cast<QPushButton*>(widget))
            expect_text_fits(button, button->text(), 12 * scale);
    }
}

class WindowScaleTest : public GameTest {
protected:
    ~WindowScaleTest() override { settings().remove("window/scale"); }
    static QSettings settings() {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, "beroran", "beroran");
    }
    int checked_scale() {
        int checked = 0;
        for (int n = 1; n <= 4; ++n) {
            if (form->menu_scale(n)->checked()) {
                EXPECT_EQ(checked, 0) << "one size at a time";
                checked = n;
            }
        }
        return checked;
    }
};

TEST_F(WindowScaleTest, TheSizeMenuFollowsBgmAndScalesTheWholeWindowLive) {
    const QMenu* menu = form->menuBar()->actions().at(0)->menu();
    QStringList items;
    for (const QAction* action : menu->actions()) items << action->text();
    EXPECT_EQ(items, QStringList({"タイトルに戻る", "セーブ", "ロード", "BGM", "画面サイズ", "速度",
                                  "言語 / Language", "ゲーム終了"}));
    QStringList menus;
    for (const QAction* action : form->menuBar()->actions()) menus << action->text();
    EXPECT_EQ(menus, QStringList({"メニュー", "最短記録", "ヘルプ"})) << "the game's two menus come first";
    QStringList sizes;
    for (const QAction* action : menu->actions().at(4)->menu()->actions()) sizes << action->text();
    EXPECT_EQ(sizes, QStringList({"×1", "×2", "×3", "×4"}));
    EXPECT_EQ(checked_scale(), 1);

    // The longest texts the screens carry, then every size in turn and back.
    form->title_message.set_caption("使えるセーブデータがありません");
    for (Label* record : {&form->Label5, &form->Label7, &form->Label9}) record->set_caption(kLongestRecord);
    begin_stage(1);
    form->ActionMode = "move";
    form->draw_cursor_on_square(5);
    const QImage field = form->fld.image();
    form->menu_howtoplay->click();
    for (int scale : {2, 3, 4, 1}) {
        form->menu_scale(scale)->click();
        EXPECT_EQ(form->help_window->scale(), scale) << "the open help takes the new size too";
        EXPECT_EQ(checked_scale(), scale);
        EXPECT_EQ(settings().value("window/scale").toInt(), scale) << "kept for the next start";
        expect_window_scaled(*form, scale);
        EXPECT_EQ(form->fld.image(), field) << "the field keeps what was drawn on it";
        EXPECT_EQ(form->ActionMode, "move") << "a new size leaves the game as it was";
    }
}

TEST_F(WindowScaleTest, TheStoredSizeComesBackAndAnUnusableOneIsIgnored) {
    settings().remove("window/scale");
    form->restore_window_scale();
    const int first_start = form->scale();
    EXPECT_EQ(first_start, largest_fitting_scale(form->available_screen_size(), {465, 279},
                                                 [&](int scale) { return form->menu_bar_height(scale); }));
    EXPECT_FALSE(settings().contains("window/scale")) << "only the player's own choice is kept";
    // Ends away from the first start's pick, so falling back to it shows.
    for (int stored : {1, 2, 4, 3}) {
        settings().setValue("window/scale", stored);
        form->restore_window_scale();
        EXPECT_EQ(form->scale(), stored);
        EXPECT_EQ(checked_scale(), stored);
        EXPECT_EQ(form->client()->size(), QSize(465, 279) * stored);
    }
    ASSERT_NE(first_start, 3);
    for (const QVariant& unusable : {QVariant(0), QVariant(5), QVariant(-2), QVariant("big")}) {
        form->set_window_scale(3);
        settings().setValue("window/scale", unusable);
        form->restore_window_scale();
        EXPECT_EQ(form->scale(), first_start) << unusable.toString().toStdString();
        EXPECT_EQ(checked_scale(), first_start);
    }
}

TEST_F(WindowScaleTest, TheChosenLanguageIsCheckedShownAndKeptForTheNextStart) {
    const auto restart = [&] { form = std::make_unique<GameForm>(GameServices{pause, dice, music}); };
    const auto marks = [&] {
        return std::string{form->menu_language(0)->checked() ? 'x' : '-',
                           form->menu_language(1)->checked() ? 'x' : '-'};
    };
    settings().remove("game/language");
    restart();
    EXPECT_EQ(marks(), "x-") << "a desktop that names no language starts in Japanese";
    EXPECT_FALSE(settings().contains("game/language")) << "only the player's own choice is kept";
    form->menu_language(1)->click();
    EXPECT_EQ(marks() + form->windowTitle().toStdString(), "-xBeroran");
    restart();
    EXPECT_EQ(marks() + form->buttonmove.text().toStdString(), "-xMove") << "the next start";
    for (const char* unusable : {"fr", "", "EN"}) {
        settings().setValue("game/language", unusable);
        restart();
        EXPECT_EQ(marks(), "x-") << "a stored \"" << unusable << "\" follows the desktop";
    }
    settings().remove("game/language");
}

}  // namespace
}  // namespace vr::test
