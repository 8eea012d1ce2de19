// Rendering a piece once into memory: the synth and player run block by block as the sound driver
// would run them, and the result is kept as 16-bit stereo until the piece is closed.
#include "platform/music/rendered_piece.h"

#include <fluidsynth.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/music/sample_format.h"
#include "platform/music/synth_setup.h"

namespace vr {

namespace {

// A piece whose player never reports its end stops this long after its tempo map says it should.
constexpr double kEndSlackSeconds = 1.0;
// The tail is done once it rounds to silence for this long, or at the latest after the limit.
constexpr size_t kQuietBlocksToFinish = 8;
constexpr double kLongestTailSeconds = 10.0;

size_t frames_for(double seconds) {
    const auto frames = static_cast<size_t>(std::ceil(seconds * kSampleRate));
    return (frames + kPeriodFrames - 1) / kPeriodFrames * kPeriodFrames;
}

}  // namespace

void PieceSynth::DeleteSynth::operator()(fluid_synth_t* synth) const {
    delete_fluid_synth(synth);
}

void PieceSynth::DeletePlayer::operator()(fluid_player_t* player) const {
    delete_fluid_player(player);
}

std::unique_ptr<RenderedPiece> RenderedPiece::render(fluid_synth_t* synth, const std::vector<uint8_t>& midi,
                                                     const MidiSummary& summary) {
    std::unique_ptr<RenderedPiece> piece(new RenderedPiece);
    piece->synth_.synth.reset(synth);
    piece->synth_.player.reset(new_fluid_player(synth));
    fluid_player_t* player = piece->synth_.player.get();
    if (player == nullptr || fluid_player_add_mem(player, midi.data(), midi.size()) != FLUID_OK) {
        piece->keep_time(summary);
        piece->failure_ = "the synthesizer refused it";
        return piece;
    }
    piece->ticks_.total = summary.total_ticks;
    piece->end_limit_ = frames_for(std::min(summary.seconds + kEndSlackSeconds, kLongestSeconds));
    piece->capacity_frames_ = piece->end_limit_ + frames_for(kLongestTailSeconds) + kPeriodFrames;
    // Mapped rather than allocated: the pages are the system's again the moment the piece closes, and
    // the room kept for a long tail costs nothing until it is rendered.
    void* memory = mmap(nullptr, piece->capacity_frames_ * kStereo * sizeof(int16_t), PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        piece->keep_time(summary);
        piece->failure_ = "there is no memory to render it";
        return piece;
    }
    piece->samples_ = static_cast<int16_t*>(memory);
    watch_ticks(player, piece->ticks_);
    fluid_player_play(player);
    return piece;
}

std::unique_ptr<RenderedPiece> RenderedPiece::timed(const MidiSummary& summary) {
    std::unique_ptr<RenderedPiece> piece(new RenderedPiece);
    piece->keep_time(summary);
    return piece;
}

void RenderedPiece::keep_time(const MidiSummary& summary) {
    const size_t end = frames_for(summary.seconds);
    ready_ = kUnknown;
    end_ = end;
    length_ = end;
}

RenderedPiece::~RenderedPiece() {
    if (samples_ != nullptr) munmap(samples_, capacity_frames_ * kStereo * sizeof(int16_t));
}

PieceSynth RenderedPiece::take_synth() {
    return finished() ? std::exchange(synth_, {}) : PieceSynth{};
}

bool RenderedPiece::render_block() {
    if (finished()) return false;
    std::array<float, kPeriodFrames> left{}, right{};
    render_stereo(synth_.synth.get(), kPeriodFrames, left.data(), right.data());
    const size_t first = ready_.load(std::memory_order_relaxed);
    int16_t* out = samples_ + first * kStereo;
    bool quiet = true;
    for (int i = 0; i < kPeriodFrames; ++i) {
        out[i * kStereo] = to_pcm(left[i]);
        out[i * kStereo + 1] = to_pcm(right[i]);
        quiet = quiet && out[i * kStereo] == 0 && out[i * kStereo + 1] == 0;
    }
    const size_t frames = first + kPeriodFrames;
    // Playback trusts what it finds below ready(): the end is known before the frames after it are.
    bool finishing = false;
    if (end() == kUnknown) {
        fluid_player_t* player = synth_.player.get();
        // A file FluidSynth could not read leaves its player done at once.
        if (ticks_.ran_out || fluid_player_get_status(player) == FLUID_PLAYER_DONE || frames >= end_limit_) {
            // As the live driver did: the player stops at the end of the block, its notes released.
            fluid_player_stop(player);
            end_.store(frames, std::memory_order_release);
        }
    } else {
        quiet_blocks_ = quiet ? quiet_blocks_ + 1 : 0;
        finishing =
            quiet_blocks_ >= kQuietBlocksToFinish || frames - end() >= frames_for(kLongestTailSeconds);
    }
    ready_.store(frames, std::memory_order_release);
    // The synth stays until the device takes it: deleting it here could hold up the sound's thread.
    if (finishing) length_.store(frames, std::memory_order_release);
    return !finishing;
}

}  // namespace vr
