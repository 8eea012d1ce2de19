// Playing a piece from memory: the commands move voices over the rendered piece, and the output's
// callback only adds up their samples.
#include "platform/music/memory_playback.h"

#include <algorithm>
#include <cmath>

#include "platform/music/sample_format.h"

namespace vr {

namespace {

// A stopped piece fades at 120 dB a second, close to how released notes and the reverb died away when
// the synth stopped: -10 dB in 80 ms, -60 dB in half a second.
constexpr double kStopFadeDbPerSecond = 120.0;
const float kStopFade = static_cast<float>(std::pow(10.0, -kStopFadeDbPerSecond / 20.0 / kSampleRate));
constexpr float kSilentGain = 1e-4F;  // -80 dB: a fading voice is over
constexpr float kFromPcm = 1.0F / kPcmScale;

}  // namespace

void MemoryPlayback::close() {
    const size_t frame = now_.output_frame;
    now_ = State{};
    now_.output_frame = frame;
    history_first_ = history_size_ = 0;
    piece_ = nullptr;
}

void MemoryPlayback::play() {
    if (playing()) return;
    if (now_.at_end) now_.position = 0;
    now_.at_end = false;
    // A free voice, else the one nearest its end: a fade or a tail that has all but died away.
    auto& voices = now_.voices;
    const auto chosen = std::min_element(voices.begin(), voices.end(), [](const Voice& a, const Voice& b) {
        return a.gain != b.gain ? a.gain < b.gain : a.at > b.at;
    });
    *chosen = Voice{now_.position, 1.0F, 1.0F};
    now_.playing_voice = static_cast<int>(chosen - voices.begin());
    now_.waiting = true;
}

void MemoryPlayback::stop() {
    if (!playing()) return;
    Voice& voice = now_.voices[now_.playing_voice];
    voice.fade = kStopFade;
    now_.position = voice.at;
    now_.playing_voice = kNone;
}

void MemoryPlayback::rewind() {
    stop();
    now_.position = 0;
    now_.at_end = false;
}

size_t MemoryPlayback::mixable() const {
    constexpr size_t kAll = RenderedPiece::kUnknown;
    const auto sounding = [](const Voice& voice) { return voice.gain > 0; };
    const bool waiting = std::any_of(now_.voices.begin(), now_.voices.end(), sounding);
    if (piece_ == nullptr) return waiting ? 0 : kAll;
    if (piece_->samples() == nullptr || piece_->finished()) return kAll;
    const size_t ready = piece_->ready();
    size_t frames = kAll;
    for (const Voice& voice : now_.voices) {
        if (sounding(voice)) frames = std::min(frames, ready > voice.at ? ready - voice.at : 0);
    }
    return frames;
}

void MemoryPlayback::mix(size_t frames, float* left, float* right, size_t stride) {
    // Mixed into the output, a start is heard: going back over these frames later keeps it so.
    waited_before_last_mix_ = now_.waiting;
    if (left != nullptr) now_.waiting = false;
    history_[(history_first_ + history_size_) % kHistory] = now_;
    if (history_size_ == kHistory) {
        history_first_ = (history_first_ + 1) % kHistory;
    } else {
        ++history_size_;
    }

    if (left != nullptr) {
        for (size_t i = 0; i < frames; ++i) left[i * stride] = right[i * stride] = 0.0F;
    }
    const size_t start = now_.output_frame;
    now_.output_frame += frames;
    // Without a rendering nothing has started: the piece waits at its frame.
    if (piece_ == nullptr) return;
    // Only keeping time, a start nobody has heard stays at its first frame; a piece nobody hears at all
    // keeps its time.
    const bool holds = now_.waiting && piece_->samples() != nullptr;
    const size_t end = piece_->end();
    if (playing() && !holds) {
        Voice& voice = now_.voices[now_.playing_voice];
        if (end != RenderedPiece::kUnknown && voice.at + frames >= end) {
            // The piece ends in this block, and says so after it, as the synth's player did; the voice
            // rings on with the tail.
            now_.ended_at = start + (end > voice.at ? end - voice.at : 0);
            now_.playing_voice = kNone;
            now_.position = end;
            now_.at_end = true;
        }
    }
    for (int i = 0; i < kVoices; ++i) {
        Voice& voice = now_.voices[i];
        if (voice.gain > 0 && !(holds && i == now_.playing_voice))
            mix_voice(voice, frames, left, right, stride);
    }
}

void MemoryPlayback::drop_last_mix() {
    if (history_size_ == 0) return;
    --history_size_;
    now_ = history_[(history_first_ + history_size_) % kHistory];
    now_.waiting = waited_before_last_mix_;
}

void MemoryPlayback::mix_voice(Voice& voice, size_t frames, float* left, float* right, size_t stride) const {
    const size_t length = piece_->length();
    const size_t available =
        length == RenderedPiece::kUnknown ? frames : std::min(frames, length - std::min(length, voice.at));
    const int16_t* samples = piece_->samples();
    if (left != nullptr && samples != nullptr) {
        const int16_t* in = samples + voice.at * kStereo;
        float gain = voice.gain * kFromPcm;
        const float fade = voice.fade;
        for (size_t i = 0; i < available; ++i) {
            left[i * stride] += in[i * kStereo] * gain;
            right[i * stride] += in[i * kStereo + 1] * gain;
            gain *= fade;
        }
    }
    if (voice.fade != 1.0F) voice.gain *= std::pow(voice.fade, static_cast<float>(available));
    voice.at += available;
    if (available < frames || voice.gain < kSilentGain) voice = Voice{};
}

size_t MemoryPlayback::move_to(size_t frame) {
    if (frame < now_.output_frame && history_size_ > 0) {
        // The latest state at or before that frame, else the oldest kept.
        const auto kept = [this](size_t i) -> State& { return history_[(history_first_ + i) % kHistory]; };
        size_t count = history_size_;
        while (count > 1 && kept(count - 1).output_frame > frame) --count;
        now_ = kept(count - 1);
        history_size_ = count - 1;
        frame = std::max(frame, now_.output_frame);
    }
    if (frame > now_.output_frame) mix(frame - now_.output_frame, nullptr, nullptr, 0);
    return now_.output_frame;
}

}  // namespace vr
