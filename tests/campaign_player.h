// A scripted player for whole campaigns, driving only the real handlers: it walks the skeleton
// up the row until it lands exactly on the enemy Master's square, and scripts its own movement
// dice so that the last hop always fits. The computer plays with the real rules, but its random
// gates never open, so it stays passive and the campaign always ends in a clear. Given a
// keyboard, the player works the board by keys alone.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>

#include "app/game_form.h"

namespace vr::test {

class CampaignDice : public RandomSource {
public:
    void attach(GameForm& form) { form_ = &form; }
    // The next turn start of side 1 rolls `movement` on the MV die and the top face for MP.
    void script_turn_start(int movement, int mv_faces) {
        rolls_.push_back((static_cast<float>(movement) - 0.5f) / static_cast<float>(mv_faces));
        rolls_.push_back(kHigh);
    }
    float rnd() override {
        if (form_ && form_->active_side == kHuman && !rolls_.empty()) {
            const float value = rolls_.front();
            rolls_.pop_front();
            return value;
        }
        return kHigh;  // top faces, and every gate of the computer stays shut (they need < 0.75)
    }
    void randomize() override {}

private:
    static constexpr float kHigh = 0.99f;
    GameForm* form_ = nullptr;
    std::deque<float> rolls_;
};

class CampaignPlayer {
public:
    CampaignPlayer(GameForm& form, CampaignDice& dice) : form_(form), dice_(dice) { dice_.attach(form); }

    bool board_in_play() const {
        return !form_.frame_title.is_visible() && !form_.frame_prologue.is_visible() &&
               !form_.frame_stageclear.is_visible() && !form_.frame_epilogue.is_visible() &&
               !form_.frame_gameover.is_visible() && !form_.frame_gameclear.is_visible();
    }

    // Plans the coming turn's movement, then presses the turn button (開始 / Next).
    void end_turn() {
        const FamiliarRecord& runner = form_.familiars(kHuman, kRunner);
        // On a summoning turn the runner does not move: one point is all it needs.
        int wanted = 1;
        if (on_field(runner.square))
            wanted = std::min(kComputerHome - runner.square, static_cast<int>(runner.mv));
        const int left_over = form_.masters(kHuman).mv;
        dice_.script_turn_start(
            std::clamp(wanted - left_over, 1, static_cast<int>(form_.masters(kHuman).mv_max)),
            form_.masters(kHuman).mv_max);
        keys ? keys(Qt::Key_Space) : form_.buttonturn_end_Click();
    }

    void play_turn() {
        const FamiliarRecord& runner = form_.familiars(kHuman, kRunner);
        if (keys && runner.square == kHumanHome) {
            keys(Qt::Key_S);
            keys(Qt::Key_1);  // the runner's icon
        } else if (keys && runner.ready) {
            keys(Qt::Key_M);
            key_square(runner.square);
            keys(Qt::Key_Return);
            key_square(form_.forward_destination);
            keys(Qt::Key_Return);
        } else if (runner.square == kHumanHome) {
            form_.buttonsummon_Click();
            form_.monicon_MouseDown(kRunner, kLeftButton, 0, kIconMiddle, kIconMiddle);
        } else if (runner.ready) {
            form_.buttonmove_Click();
            press_square(runner.square);
            press_square(form_.forward_destination);
        }
    }

    std::function<void(int key)> keys;  // presses one key (Qt::Key_...) on the window

private:
    static constexpr int kRunner = 0;  // the skeleton: always owned, and back at once after a fall
    static constexpr int kLeftButton = 1;
    static constexpr float kIconMiddle = 16;
    static constexpr float kBandMiddle = 24;

    void press_square(int square) {
        form_.fld_MouseDown(kLeftButton, 0, static_cast<float>(square * kSquareWidth + kSquareWidth / 2),
                            kBandMiddle);
    }

    // Left/Right until the field's keyboard cursor stands on `square`.
    void key_square(int square) {
        if (!form_.key_cursor_shown) keys(Qt::Key_Right);
        for (int guard = 0; form_.key_square != square && guard < kComputerHome; ++guard)
            keys(form_.key_square < square ? Qt::Key_Right : Qt::Key_Left);
    }

    GameForm& form_;
    CampaignDice& dice_;
};

}  // namespace vr::test
