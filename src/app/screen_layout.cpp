// Where the controls of the six screens stand. Every screen covers the whole client area.
#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kScreenWidth = 465;
constexpr int kScreenHeight = 279;
constexpr Colour kScreenColour = rgb(255, 255, 255);
constexpr int kButtonWidth = 97;
constexpr int kButtonHeight = 25;
constexpr int kTitleButtonsTop = 222;
constexpr int kTitleButtonGap = 24;

void prepare_screen(Frame& screen, const std::string& caption) {
    screen.place(0, 0, kScreenWidth, kScreenHeight);
    screen.set_caption(caption);
    screen.set_back_colour(kScreenColour);
    screen.set_border_visible(false);
}

}  // namespace

void GameForm::layout_screens() {
    prepare_screen(frame_title, "ベロラン");
    title_pic.place(0, 0, kScreenWidth, kScreenHeight);
    const int buttons_left = (kScreenWidth - 2 * kButtonWidth - kTitleButtonGap) / 2;
    from_first.place(buttons_left, kTitleButtonsTop, kButtonWidth, kButtonHeight);
    from_first.set_caption("最初から");
    from_past.place(buttons_left + kButtonWidth + kTitleButtonGap, kTitleButtonsTop, kButtonWidth, kButtonHeight);
    from_past.set_caption("続きから");
    title_message.place(0, kTitleButtonsTop + kButtonHeight + 8, kScreenWidth, 14);
    title_message.setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    prepare_screen(frame_prologue, "始まり");
    start.set_caption("スタート");
    prepare_screen(frame_gameover, "げーむおーばー");
    prepare_screen(frame_gameclear, "げーむくりあ");
    to_title(0).set_caption("タイトルに戻る");
    to_title(1).set_caption("タイトルに戻る");
    prepare_screen(frame_stageclear, "今日の成果");
    st_btn.set_caption("次のステージ");
    prepare_screen(frame_epilogue, "今日の成果？");
    for (int line = 1; line <= 5; ++line) epilogue_lines(line) = new Label(&frame_epilogue);
    gameclear2.set_caption("Next");
}

}  // namespace vr
