// The services the game's routines block on or draw from: the pause and the random source.
// Production wires the Qt versions below; tests wire an instant pause and scripted values.
#pragma once

#include <cstdint>
#include <random>

namespace vr {

class Pause {
public:
    virtual ~Pause() = default;
    // Blocks the game for `milliseconds`; input waits until the running handler ends.
    virtual void sleep(int milliseconds) = 0;

    // The player's game speed: a real wait lasts the rules' duration divided by this (1, 2 or 4).
    // The rules keep asking for their own durations, so only the wall clock changes.
    void set_speed_divisor(int divisor) { speed_divisor_ = divisor; }
    int speed_divisor() const { return speed_divisor_; }

protected:
    int speed_divisor_ = 1;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform value in [0, 1), single precision.
    virtual float rnd() = 0;
    // Reseeds from the clock, so every run rolls different dice.
    virtual void randomize() = 0;
};

// Keeps the window repainting and answering the desktop while the game waits; clicks made
// meanwhile are held back by the event gate and delivered after the handler returns. Waits the
// duration divided by the speed divisor, rounded to the nearest millisecond.
class QtPause : public Pause {
public:
    void sleep(int milliseconds) override;
};

class ClockRandom : public RandomSource {
public:
    ClockRandom();
    float rnd() override;
    void randomize() override;

private:
    std::mt19937 generator_;
};

}  // namespace vr
