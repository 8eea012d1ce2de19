// The six screens at 465 x 279: every control inside its screen and clear of the notice strip, no
// two controls on top of each other, and every text, at its longest, fitting its control.
#include <QFontMetrics>
#include <QPushButton>

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

}  // namespace
}  // namespace vr::test
