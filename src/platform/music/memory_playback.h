// Playing a piece from memory: where it plays, what still rings after it ended or stopped, and the
// mix of them into the output, frame by frame of the output's own clock.
#pragma once

#include <array>
#include <cstddef>

#include "platform/music/rendered_piece.h"

namespace vr {

class MemoryPlayback {
public:
    // The open piece's rendering; null while it has none, when nothing sounds and nothing moves on.
    void attach(const RenderedPiece* piece) { piece_ = piece; }
    // Forgets the piece and silences at once everything it rang with, as closing always has.
    void close();

    void play();    // from the top after the end, else from where it stopped, once heard (see mix)
    void stop();    // fades out as released notes and the reverb did
    void rewind();  // stops, and the next play starts at the top

    bool playing() const { return now_.playing_voice != kNone; }
    // Whether the piece still plays at output frame `heard`: an output that queues ahead has mixed the
    // end before anyone hears it.
    bool playing_when(size_t heard) const { return playing() || heard < now_.ended_at; }

    // How many frames of output can be mixed from what is rendered so far; 0 while a piece that was
    // asked to play has no rendering yet.
    size_t mixable() const;
    // Writes the next `frames` of output to left[i * stride] and right[i * stride], or only keeps time
    // when left is null. Past mixable() the piece waits and the output is silent. A piece asked to play
    // waits at its first frame while only time is kept, until it is first mixed into the output: it
    // starts at its beginning however late the output comes to it.
    void mix(size_t frames, float* left, float* right, size_t stride);
    // Forgets the last mix, which the output dropped as too late to be heard: back to the state
    // before it, a start in it waiting again.
    void drop_last_mix();
    // Moves the output's clock to `frame`: forward keeps time; back returns to the state mixed at that
    // frame, for an output that rewrites what it has queued. Returns the frame it got to, which is
    // later than asked only when the state there is no longer kept.
    size_t move_to(size_t frame);

private:
    static constexpr int kNone = -1;
    // Enough for the piece, its last loop's tail and a stop's fade, even when played and stopped at once.
    static constexpr int kVoices = 4;
    // Mixes kept to go back to: more than our stream queues, even in the small pieces it takes while
    // the rendering is behind.
    static constexpr size_t kHistory = 256;

    struct Voice {
        size_t at = 0;   // the piece's next frame
        float gain = 0;  // 0: the voice is free
        float fade = 1;  // gain's factor per frame; 1 while playing or ringing out
    };
    struct State {
        std::array<Voice, kVoices> voices{};
        int playing_voice = kNone;
        size_t position = 0;  // where play starts when stopped
        bool at_end = false;  // played to its end: the next play starts at the top
        size_t output_frame = 0;
        size_t ended_at = 0;   // output frame at which the piece last ended
        bool waiting = false;  // the playing voice has not been mixed into the output yet
    };

    void mix_voice(Voice& voice, size_t frames, float* left, float* right, size_t stride) const;

    const RenderedPiece* piece_ = nullptr;
    State now_;
    std::array<State, kHistory> history_{};  // a ring: the state at the start of recent mixes
    size_t history_first_ = 0;               // the oldest
    size_t history_size_ = 0;
    bool waited_before_last_mix_ = false;  // what drop_last_mix restores
};

}  // namespace vr
