// Where the controls of the six screens stand, and the fixed texts they carry. Every screen covers
// the whole client area; the bottom strip of each is kept free for the load and save notices.
#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kScreenWidth = 465;
constexpr int kScreenHeight = 279;
constexpr Colour kScreenColour = rgb(255, 255, 255);
constexpr int kButtonWidth = 97;
constexpr int kWideButtonWidth = 113;  // fits "タイトルに戻る"
constexpr int kButtonHeight = 25;
constexpr int kLineHeight = 16;  // one line of the 12 px window font
constexpr int kMargin = 16;
constexpr int kValueSize = 21;   // a number picture
constexpr int kSpriteSize = 32;  // a Familiar or Magic picture
constexpr int kNoticeTop = 263;  // the strip nothing else uses
constexpr int kNoticeHeight = 14;
// The button that leads on stands in the same place on every screen that has one.
constexpr int kButtonLeft = kScreenWidth - kMargin - kButtonWidth;
constexpr int kButtonTop = 226;

struct Box {
    int x, y, width, height;
};

template <typename Control>
void place(Control& control, const Box& box) {
    control.place(box.x, box.y, box.width, box.height);
}

void prepare_screen(Frame& screen, const Text& caption) {
    screen.place(0, 0, kScreenWidth, kScreenHeight);
    screen.set_caption(caption);
    screen.set_back_colour(kScreenColour);
    screen.set_border_visible(false);
}

// Title: the picture fills the screen; the two buttons and the notice line sit on its lower part.
constexpr int kTitleButtonsTop = 222;
constexpr int kTitleButtonGap = 24;
constexpr int kTitleButtonsLeft = (kScreenWidth - 2 * kButtonWidth - kTitleButtonGap) / 2;
constexpr Box kFromFirst{kTitleButtonsLeft, kTitleButtonsTop, kButtonWidth, kButtonHeight};
constexpr Box kFromPast{kTitleButtonsLeft + kButtonWidth + kTitleButtonGap, kTitleButtonsTop, kButtonWidth,
                        kButtonHeight};
constexpr Box kTitleMessage{0, kNoticeTop, kScreenWidth, kNoticeHeight};

// Prologue: picture centred on top, the story under it, the button bottom right.
constexpr Box kProloguePic{(kScreenWidth - 160) / 2, kMargin, 160, 120};
constexpr Box kStory{48, 148, kScreenWidth - 2 * 48, 4 * kLineHeight + 4};
constexpr Box kStart{kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight};
// Narration first, then the heroine in her own words; translated as one text.
constexpr MarkedText kStoryText = VR_TEXT("Screens",
                                          "ロッタは魔法使い見習いです。\r\n"
                                          "この前、先生から使い魔たちのお世話をまかされました。\r\n"
                                          "ところが、その使い魔たちがみーんな逃げ出しちゃった！\r\n"
                                          "「先生にバレる前に、ちゃちゃっと連れ戻しちゃおっと♪」");

// Game over and game clear: the 320 x 160 picture centred, the button under its right edge.
constexpr int kEndPicWidth = 320;
constexpr int kEndPicHeight = 160;
constexpr int kEndPicLeft = (kScreenWidth - kEndPicWidth) / 2;
constexpr Box kGameOverPic{kEndPicLeft, 32, kEndPicWidth, kEndPicHeight};
constexpr Box kGameClearPic{kEndPicLeft, 8, kEndPicWidth, kEndPicHeight};
constexpr Box kEndButton{kEndPicLeft + kEndPicWidth - kWideButtonWidth, kButtonTop, kWideButtonWidth,
                         kButtonHeight};
// A new record takes up to four lines: the announcement, what, old → new, and a write failure.
constexpr Box kGameClearRecord{kEndPicLeft, 176, kEndPicWidth - kWideButtonWidth - 8, 4 * kLineHeight};

// Stage clear: two reward cards on top, the heroine's growth below, the record beside it.
constexpr Box kStageClearTitle{kMargin, 8, 120, kLineHeight};
constexpr int kCardTop = 32;
constexpr int kFamiliarCardLeft = kMargin;
constexpr int kMagicCardLeft = 248;
constexpr int kCardTextIndent = kSpriteSize + 8;
constexpr int kCardTextWidth = 120;
constexpr int kCardValueHeadingTop = 84;
constexpr int kCardValueTop = 100;
constexpr int kValuePitch = 24;
constexpr Box kGrowthHeading{kMargin, 132, 120, kLineHeight};
constexpr int kGrowthHeadingTop = 152;
constexpr int kGrowthOldTop = 168;
constexpr int kGrowthArrowTop = 190;
constexpr int kGrowthNewTop = 206;
constexpr int kGrowthLeft = 24;
constexpr int kGrowthPitch = 32;
constexpr Box kStageClearRecord{152, 152, 184, 4 * kLineHeight};
constexpr Box kNextStage{kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight};

// Epilogue: the dialogue from the top, the two pictures under it, the record beside them.
constexpr int kDialogueTop = 12;
constexpr int kDialoguePitch = 18;
constexpr int kPictureSize = 96;
constexpr Box kEpiloguePic1{kMargin, 112, kPictureSize, kPictureSize};
constexpr Box kEpiloguePic2{kMargin + kPictureSize + kMargin, 112, kPictureSize, kPictureSize};
constexpr Box kEpilogueRecord{2 * (kMargin + kPictureSize) + kMargin, 120, 193, 4 * kLineHeight};
constexpr Box kNext{kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight};
constexpr MarkedText kDialogue[5] = {
    VR_TEXT("Screens", "？？？「あいたたた・・・」"),
    VR_TEXT("Screens", "ロッタ「あれっ！？ せ、先生！？ なんで先生がここに！？」"),
    VR_TEXT("Screens", "先生「使い魔が逃げたのは最初からわしの仕業じゃ。よい修行じゃったろ？」"),
    VR_TEXT("Screens", "ロッタ「ひっどーい！ そんなの、ぜーったい許さないんだから！」"),
    VR_TEXT("Screens", "先生「ふぉっふぉっふぉ、そう怒るでない怒るでない♪」"),
};

constexpr Box kNotice{0, kNoticeTop, kScreenWidth, kNoticeHeight};

// A heading over a value box, centred on it.
void place_value_heading(Label& label, int x, int y, const Text& caption) {
    label.place(x, y, kValueSize, kLineHeight);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label.set_caption(caption);
}

// The Familiar card: picture, text, and its four values; the Magic card: the same with its cost.
void layout_reward_cards(GameForm& form) {
    form.st_pic.place(kFamiliarCardLeft, kCardTop, kSpriteSize, kSpriteSize);
    form.st_text1.place(kFamiliarCardLeft + kCardTextIndent, kCardTop - 2, kCardTextWidth, 3 * kLineHeight);
    Label* headings[] = {&form.st_label_hp, &form.st_label_atk, &form.st_label_mv, &form.st_label_mp};
    PictureBox* values[] = {&form.st_hpdice, &form.st_atkdice, &form.st_mvdice, &form.st_mpdice};
    const MarkedText captions[] = {kHeadingHp, kHeadingAtk, kHeadingMv, kHeadingMp};
    for (int i = 0; i < 4; ++i) {
        const int x = kFamiliarCardLeft + kCardTextIndent + i * kValuePitch;
        place_value_heading(*headings[i], x, kCardValueHeadingTop, captions[i]);
        values[i]->place(x, kCardValueTop, kValueSize, kValueSize);
    }

    form.st_pic2.place(kMagicCardLeft, kCardTop, kSpriteSize, kSpriteSize);
    form.st_text2.place(kMagicCardLeft + kCardTextIndent, kCardTop - 2, kCardTextWidth, 3 * kLineHeight);
    place_value_heading(form.st_label_mp2, kMagicCardLeft + kCardTextIndent, kCardValueHeadingTop,
                        kHeadingMp);
    form.st_mpdice2.place(kMagicCardLeft + kCardTextIndent, kCardValueTop, kValueSize, kValueSize);
}

// ロッタの成長: a column per value, old above "↓" above new.
void layout_growth(GameForm& form) {
    place(form.growth_heading, kGrowthHeading);
    form.growth_heading.set_caption(VR_TEXT("Screens", "ロッタの成長"));
    Label* headings[] = {&form.growth_label_hp, &form.growth_label_mp, &form.growth_label_mv};
    Label* arrows[] = {&form.growth_arrow_hp, &form.growth_arrow_mp, &form.growth_arrow_mv};
    PictureBox* old_values[] = {&form.mas_hpold, &form.mas_mgcold, &form.mas_mvold};
    PictureBox* new_values[] = {&form.mas_hpnew, &form.mas_mgcnew, &form.mas_mvnew};
    const MarkedText captions[] = {kHeadingHp, kHeadingMp, kHeadingMv};
    for (int i = 0; i < 3; ++i) {
        const int x = kGrowthLeft + i * kGrowthPitch;
        place_value_heading(*headings[i], x, kGrowthHeadingTop, captions[i]);
        old_values[i]->place(x, kGrowthOldTop, kValueSize, kValueSize);
        place_value_heading(*arrows[i], x, kGrowthArrowTop, "↓");
        new_values[i]->place(x, kGrowthNewTop, kValueSize, kValueSize);
    }
}

void layout_stage_clear_screen(GameForm& form) {
    const MarkedText title = VR_TEXT("Screens", "今日の成果");
    prepare_screen(form.frame_stageclear, title);
    // The frame's own caption is hidden with its border, so the screen names itself.
    place(form.st_heading1, kStageClearTitle);
    form.st_heading1.set_caption(title);
    // The reward texts already say what each card is.
    form.st_heading2.set_visible(false);
    layout_reward_cards(form);
    layout_growth(form);
    place(form.Label5, kStageClearRecord);
    place(form.st_btn, kNextStage);
    form.st_btn.set_caption(VR_TEXT("Screens", "次のステージ"));
}

}  // namespace

void GameForm::layout_screens() {
    prepare_screen(frame_title, VR_TEXT("Screens", "ベロラン"));
    title_pic.place(0, 0, kScreenWidth, kScreenHeight);
    place(from_first, kFromFirst);
    from_first.set_caption(VR_TEXT("Screens", "最初から"));
    place(from_past, kFromPast);
    from_past.set_caption(VR_TEXT("Screens", "続きから"));
    place(title_message, kTitleMessage);
    title_message.setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    prepare_screen(frame_prologue, VR_TEXT("Screens", "始まり"));
    place(prologue_pic, kProloguePic);
    place(Text1, kStory);
    Text1.set_caption(kStoryText);
    place(start, kStart);
    start.set_caption(VR_TEXT("Screens", "スタート"));

    const MarkedText back_to_title = VR_TEXT("Screens", "タイトルに戻る");
    prepare_screen(frame_gameover, VR_TEXT("Screens", "げーむおーばー"));
    place(gameover_pic, kGameOverPic);
    place(to_title(0), kEndButton);
    to_title(0).set_caption(back_to_title);

    prepare_screen(frame_gameclear, VR_TEXT("Screens", "げーむくりあ"));
    place(gameclear_pic, kGameClearPic);
    place(Label7, kGameClearRecord);
    place(to_title(1), kEndButton);
    to_title(1).set_caption(back_to_title);

    layout_stage_clear_screen(*this);

    prepare_screen(frame_epilogue, VR_TEXT("Screens", "今日の成果？"));
    for (int line = 1; line <= 5; ++line) {
        epilogue_lines(line) = new Label(&frame_epilogue);
        epilogue_lines(line)->place(kMargin, kDialogueTop + (line - 1) * kDialoguePitch,
                                    kScreenWidth - 2 * kMargin, kLineHeight);
        epilogue_lines(line)->set_caption(kDialogue[line - 1]);
    }
    place(epilogue_pic1, kEpiloguePic1);
    place(epilogue_pic2, kEpiloguePic2);
    place(Label9, kEpilogueRecord);
    place(gameclear2, kNext);
    gameclear2.set_caption("Next");

    place(screen_message, kNotice);
    screen_message.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    screen_message.set_back_colour(kScreenColour);
    screen_message.set_visible(false);
}

}  // namespace vr
