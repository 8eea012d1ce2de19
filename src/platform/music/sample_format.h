// The music's sound as every part of the device passes it on: the rate, two channels, the block, and
// the 16 bits it is kept and sent in.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vr {

constexpr double kSampleRate = 44100.0;
constexpr int kStereo = 2;
// The sound driver's period (smaller ones cost far more CPU under PulseAudio), and the block a piece
// is rendered in: its end is noticed at the end of the block in which its ticks run out.
constexpr int kPeriodFrames = 512;

// Samples in memory and on their way to the sound server are 16-bit.
constexpr float kPcmScale = 32768.0F;
inline int16_t to_pcm(float sample) {
    return static_cast<int16_t>(std::clamp<long>(std::lrint(sample * kPcmScale), INT16_MIN, INT16_MAX));
}

}  // namespace vr
