// Helpers for tests that play: presses at pixel positions, a seeded random source for long runs,
// draws written compactly, and the invariants every position must keep.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "game_fixture.h"

namespace vr::test {

constexpr float kSquareMiddle = 16;  // x inside a square, from its left edge
constexpr float kBandMiddle = 24;    // y inside the field's sprite band
constexpr float kIconMiddle = 16;

// Draws that open no gate and leave the dice as they are: 0.99 rolls the die's top face.
constexpr float kShut = 0.99f;
constexpr float kOpen = 0.1f;
// One pass of the computer that finds nothing: two summon scans of ten slots and eight Magics.
constexpr int kEmptyPassDraws = 10 + 10 + 8;
constexpr int kTurnStartDraws = 2;  // MV die, then MP die

inline void press_square(GameForm& form, int square) {
    form.fld_MouseDown(1, 0, static_cast<float>(square * kSquareWidth) + kSquareMiddle, kBandMiddle);
}
inline void press_familiar_icon(GameForm& form, int slot) {
    form.monicon_MouseDown(slot, 1, 0, kIconMiddle, kIconMiddle);
}
inline void press_magic_icon(GameForm& form, int magic) {
    form.mgcicon_MouseDown(magic, 1, 0, kIconMiddle, kIconMiddle);
}

// A key (Qt::Key_...) pressed and let go, sent where the keyboard sends it: to the button with
// the Tab focus, else to the window.
inline void press_key(GameForm& form, int qt_key) {
    QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, qt_key, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

inline void script_repeated(ScriptedRandom& dice, float value, int count) {
    for (int i = 0; i < count; ++i) dice.script({value});
}

// Rule tests on any stage: the heroine's Master as a new game leaves her (hp 2, MP and MV dice
// of 6), since only stage 1 sets her values.
class PlayTest : public GameTest {
protected:
    void begin_play(int n) {
        begin_stage(1);
        if (n != 1) begin_stage(n);
    }
};

// A deterministic stand-in for the clock-seeded generator, for runs too long to script.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(uint32_t seed) : generator_(seed) {}
    // 24 random bits make an exact float in [0, 1), never 1.
    float rnd() override { return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f); }
    void randomize() override {}

private:
    std::mt19937 generator_;
};

// A whole game with its own scratch vr_data, an instant pause and seeded dice.
struct SeededGame {
    explicit SeededGame(uint32_t seed)
        : dice(seed), form(std::make_unique<GameForm>(GameServices{pause, dice, music})) {
        form->Form_Load();
    }
    ScratchDataDir data;
    InstantPause pause;
    SeededRandom dice;
    RecordingMusicDevice music;
    std::unique_ptr<GameForm> form;
};

// Every broken invariant of the position, one per line; empty when all hold.
inline std::string broken_invariants(const GameForm& form) {
    std::string broken;
    std::set<int> taken;
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            const int square = form.familiars(side, slot).square;
            const std::string who = "side " + std::to_string(side) + " slot " + std::to_string(slot);
            if (square < kHumanHome || square > kComputerHome)
                broken += who + " on square " + std::to_string(square) + "\n";
            if (on_field(square) && !taken.insert(square).second)
                broken += "two Familiars on square " + std::to_string(square) + "\n";
        }
        const MasterRecord& master = form.masters(side);
        if (master.mp < 0 || master.mp > master.mp_max)
            broken += "side " + std::to_string(side) + " mp " + std::to_string(master.mp) + "\n";
        if (master.mv < 0 || master.mv > master.mv_max)
            broken += "side " + std::to_string(side) + " mv " + std::to_string(master.mv) + "\n";
    }
    if (form.stage < 1 || form.stage > kLastStage) broken += "stage " + std::to_string(form.stage) + "\n";
    return broken;
}

}  // namespace vr::test
