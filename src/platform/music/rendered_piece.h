// A piece rendered once into memory: 16-bit stereo at the output's rate, filled block by block by a
// synth of its own ahead of its playback, the reverb's tail after its end included.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "platform/music/midi_check.h"
#include "platform/music/synth_setup.h"

namespace vr {

// The synth a piece is rendered with and the player that drives it, deleted together, the player
// first. Deleting them frees the soundfont's presets and the samples they loaded, which takes a while.
struct PieceSynth {
    struct DeleteSynth {
        void operator()(fluid_synth_t* synth) const;
    };
    struct DeletePlayer {
        void operator()(fluid_player_t* player) const;
    };
    std::unique_ptr<fluid_synth_t, DeleteSynth> synth;
    std::unique_ptr<fluid_player_t, DeletePlayer> player;  // declared last: deleted first
    explicit operator bool() const { return synth != nullptr; }
};

class RenderedPiece {
public:
    static constexpr size_t kUnknown = std::numeric_limits<size_t>::max();
    // A longer piece ends here: its first ten minutes loop, in 106 MB.
    static constexpr double kLongestSeconds = 600;

    // Starts rendering `midi` with `synth`, which the piece takes over: a fresh synth for every
    // piece, so that a piece sounds the same whatever played before it. When FluidSynth refuses the
    // file or the memory for it cannot be had, the piece only keeps its time and failure() says why.
    static std::unique_ptr<RenderedPiece> render(fluid_synth_t* synth, const std::vector<uint8_t>& midi,
                                                 const MidiSummary& summary);
    // A piece nobody hears: no sound, only its end, by its tempo map.
    static std::unique_ptr<RenderedPiece> timed(const MidiSummary& summary);
    // Deletes what is left of its synth, which needs the settings it was made with; nobody may be
    // rendering it.
    ~RenderedPiece();
    RenderedPiece(const RenderedPiece&) = delete;
    RenderedPiece& operator=(const RenderedPiece&) = delete;

    // ---- the rendering, under the lock that guards it ----

    // Renders the next block; false once the tail has died away and the piece is finished.
    bool render_block();
    // Once the piece is finished (or only keeps its time), the synth and player it no longer needs,
    // for the caller to delete where no sound and no command waits for it; empty before and after.
    PieceSynth take_synth();

    // ---- what playback reads, from any thread ----

    size_t ready() const { return ready_.load(std::memory_order_acquire); }    // frames rendered
    size_t end() const { return end_.load(std::memory_order_acquire); }        // where the music ends
    size_t length() const { return length_.load(std::memory_order_acquire); }  // with its tail
    bool finished() const { return length() != kUnknown; }
    // Interleaved left/right from frame 0; null for a timed piece. Frames below ready() never change.
    const int16_t* samples() const { return samples_; }
    // Why the piece only keeps its time though it was to be rendered; null when it renders.
    const char* failure() const { return failure_; }

private:
    RenderedPiece() = default;
    void keep_time(const MidiSummary& summary);

    PieceSynth synth_;  // until taken, once finished
    const char* failure_ = nullptr;
    TickWatch ticks_;
    size_t end_limit_ = 0;        // a piece whose ticks never run out ends here
    size_t quiet_blocks_ = 0;     // blocks of silence in a row after the end
    int16_t* samples_ = nullptr;  // mapped for capacity_frames_, pages touched only as rendered
    size_t capacity_frames_ = 0;
    std::atomic<size_t> ready_{0};
    std::atomic<size_t> end_{kUnknown};
    std::atomic<size_t> length_{kUnknown};
};

}  // namespace vr
