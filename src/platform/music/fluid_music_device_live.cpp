// The synth rendering live, as the game played its music before pieces were rendered into memory:
// the sound driver's callback (or, with no sound output, a thread of ours) renders every block.
#include <fluidsynth.h>

#include <array>

#include "platform/music/fluid_music_device.h"

namespace vr {

namespace {

// Nobody hears the silent thread, so it renders in bigger blocks and wakes less often; the end of a
// piece is still noticed within 50 ms.
constexpr int kSilentBlockFrames = 2048;

}  // namespace

// Hands the open piece to FluidSynth; under render_mutex_ with the synth ready.
bool FluidMusicDevice::load_live_piece() {
    if (synth_ == nullptr || piece_bytes_.empty()) return false;
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return false;
    // FluidSynth copies the bytes.
    if (fluid_player_add_mem(player_, piece_bytes_.data(), piece_bytes_.size()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
        return false;
    }
    live_ticks_.total = summary_.total_ticks;
    watch_ticks(player_, live_ticks_);
    return true;
}

void FluidMusicDevice::close_live() {
    const std::lock_guard lock(render_mutex_);
    if (player_ != nullptr) {
        delete_fluid_player(player_);
        player_ = nullptr;
        // The player leaves its notes to the synth; a closed piece must fall silent now.
        fluid_synth_all_sounds_off(synth_, -1);
    }
    piece_bytes_.clear();
    playing_ = false;
    live_ticks_.ran_out = false;
}

// Until the synth is ready there is no player: the piece's state is kept here alone, and set_up
// starts the piece if it is playing by then.
void FluidMusicDevice::play_live() {
    const std::lock_guard lock(render_mutex_);
    if (playing_) return;
    if (player_ != nullptr) {
        // A piece that has run out plays again from the top, as after a seek.
        if (at_end_) fluid_player_seek(player_, 0);
        fluid_player_play(player_);
    }
    at_end_ = false;
    live_ticks_.ran_out = false;
    playing_ = true;
}

void FluidMusicDevice::stop_live() {
    const std::lock_guard lock(render_mutex_);
    if (playing_ && player_ != nullptr) fluid_player_stop(player_);
    playing_ = false;
    live_ticks_.ran_out = false;
}

void FluidMusicDevice::rewind_live() {
    const std::lock_guard lock(render_mutex_);
    // Seeking stops the piece, as the game expects before it says "play".
    if (player_ != nullptr) {
        if (playing_) fluid_player_stop(player_);
        fluid_player_seek(player_, 0);
    }
    playing_ = false;
    at_end_ = false;
    live_ticks_.ran_out = false;
}

void FluidMusicDevice::render_silently() {
    std::array<std::array<float, kSilentBlockFrames>, kStereo> buffers{};
    const auto period = std::chrono::duration<double>(kSilentBlockFrames / kSampleRate);
    auto next = std::chrono::steady_clock::now();
    while (!quitting_) {
        for (auto& buffer : buffers) buffer.fill(0.0F);
        float* out[kStereo] = {buffers[0].data(), buffers[1].data()};
        render_live(kSilentBlockFrames, 0, nullptr, kStereo, out);
        next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(next);
    }
}

// Renders one block under render_mutex_; shared by the sound driver and the silent thread.
int FluidMusicDevice::render_live(int frames, int nfx, float* fx[], int nout, float* out[]) {
    const std::lock_guard lock(render_mutex_);
    if (synth_ == nullptr) return FLUID_OK;
    int result = FLUID_OK;
    if (nfx == 0 && nout == kStereo) {
        render_stereo(synth_, frames, out[0], out[1]);
    } else {
        result = fluid_synth_process(synth_, frames, nfx, fx, nout, out);
    }
    // Stopping from inside the player's own callback would be overwritten by it; do it here.
    if (live_ticks_.ran_out.exchange(false) && player_ != nullptr && playing_) {
        fluid_player_stop(player_);
        playing_ = false;
        at_end_ = true;
    }
    return result;
}

}  // namespace vr
