// Thousands of random presses on every reachable control and menu item, and of keys anywhere,
// across stages and seeds: nothing may crash or trip a bound check, and the position keeps its
// invariants.
#include <QWidget>
#include <functional>
#include <random>
#include <vector>

#include "play_helpers.h"

namespace vr::test {
namespace {

constexpr int kSeeds = 8;
constexpr int kPressesPerSeed = 1500;
constexpr float kFieldWidth = 448;
constexpr float kFieldHeight = 40;
constexpr float kIconSize = 33;

struct RandomClicker {
    explicit RandomClicker(uint32_t seed) : game(seed), pick(seed * 7919u + 1u) {}

    SeededGame game;
    std::mt19937 pick;

    GameForm& form() { return *game.form; }
    int below(int n) { return static_cast<int>(pick() % static_cast<uint32_t>(n)); }
    float between(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(pick); }

    bool board_covered() {
        for (Frame* screen : {&form().frame_title, &form().frame_prologue, &form().frame_gameover,
                              &form().frame_gameclear, &form().frame_stageclear, &form().frame_epilogue}) {
            if (screen->is_visible()) return true;
        }
        return false;
    }
    // What a player can reach: shown, and on the board only while no screen covers it.
    bool reachable(QWidget& control, bool on_board) {
        return control.isVisibleTo(&form()) && !(on_board && board_covered());
    }

    // The player points and presses at random; a press lands only where it could in the window.
    void one_press() {
        GameForm& f = form();
        switch (below(13)) {
            case 0: {
                CommandButton* buttons[] = {&f.buttonmove, &f.buttonsummon, &f.buttonmagic,
                                            &f.buttonturn_end};
                CommandButton* button = buttons[below(4)];
                if (reachable(*button, true)) button->click();
                break;
            }
            case 1:
            case 2: {
                if (!reachable(f.fld, true)) break;
                // Mostly in the middle of a square, sometimes anywhere, edges included.
                const float x = below(3) ? static_cast<float>(below(14) * kSquareWidth) + kSquareMiddle
                                         : between(-2, kFieldWidth + 2);
                const float y = below(3) ? kBandMiddle : between(-2, kFieldHeight + 2);
                if (below(4)) {
                    f.fld_MouseDown(1, 0, x, y);
                } else {
                    f.fld_MouseMove(0, 0, x, y);
                }
                break;
            }
            case 3:
            case 4: {
                const int slot = below(kLastSlot + 1);
                if (!reachable(f.monicon(slot), true)) break;
                const float x = between(0, kIconSize), y = between(0, kIconSize);
                below(3) ? f.monicon_MouseDown(slot, 1, 0, x, y) : f.monicon_MouseMove(slot, 0, 0, x, y);
                break;
            }
            case 5:
            case 6: {
                const int magic = below(kLastMagic + 1);
                if (!reachable(f.mgcicon(magic), true)) break;
                const float x = between(0, kIconSize), y = between(0, kIconSize);
                below(3) ? f.mgcicon_MouseDown(magic, 1, 0, x, y) : f.mgcicon_MouseMove(magic, 0, 0, x, y);
                break;
            }
            case 7: {
                CommandButton* buttons[] = {&f.from_first,  &f.from_past, &f.start,     &f.to_title(0),
                                            &f.to_title(1), &f.st_btn,    &f.gameclear2};
                CommandButton* button = buttons[below(7)];
                if (reachable(*button, false)) button->click();
                break;
            }
            case 8: {
                // Rarely: the menu, the save and load included.
                if (below(4)) break;
                MenuItem* items[] = {f.menu_totitle, f.menu_save, f.menu_load, f.menu_bgm_on_off};
                items[below(4)]->click();
                break;
            }
            case 9: {
                // Keys need no reachability check here: they must find their own way.
                static const int kKeys[] = {Qt::Key_M,     Qt::Key_S,     Qt::Key_G,      Qt::Key_1,
                                            Qt::Key_0,     Qt::Key_5,     Qt::Key_Q,      Qt::Key_I,
                                            Qt::Key_Left,  Qt::Key_Right, Qt::Key_Return, Qt::Key_Return,
                                            Qt::Key_Space, Qt::Key_Escape};
                press_key(f, kKeys[below(static_cast<int>(std::size(kKeys)))]);
                break;
            }
            default: {
                // Keep the game moving: start one from the title, or end the turn.
                if (f.frame_title.is_visible()) {
                    f.from_first.click();
                    f.start.click();
                } else if (reachable(f.buttonturn_end, true) && below(2) == 0) {
                    f.buttonturn_end.click();
                }
                break;
            }
        }
    }
};

TEST(RandomClicks, NeverCrashNeverTripABoundAndKeepTheInvariants) {
    for (int seed = 1; seed <= kSeeds; ++seed) {
        RandomClicker clicker(static_cast<uint32_t>(seed));
        GameForm& form = clicker.form();
        form.from_first.click();
        form.start.click();
        // Later stages as a load would set them up.
        form.stage = static_cast<int16_t>(1 + (seed - 1) % kLastStage);
        form.active_side = kComputer;
        form.stage_setup();
        form.show_familiar_info(kHuman, 0);
        form.draw_field(0, 0, 0, 0);
        for (int press = 0; press < kPressesPerSeed; ++press) {
            clicker.one_press();
            ASSERT_EQ(broken_invariants(form), "") << "seed " << seed << " press " << press;
            ASSERT_FALSE(form.computer_thinking) << "seed " << seed << " press " << press;
        }
    }
}

}  // namespace
}  // namespace vr::test
