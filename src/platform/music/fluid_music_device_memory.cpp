// Playing from memory: a thread of low priority renders the open piece ahead of its playback, and the
// output only mixes what is rendered, rendering on the spot only what playback would otherwise lack.
#include <fluidsynth.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/music/fluid_music_device.h"

namespace vr {

namespace {

// The renderer yields the synth to the game and the output, and a busy machine to anything else.
constexpr int kRendererNice = 10;
constexpr auto kGiveWay = std::chrono::microseconds(200);

}  // namespace

// Under both mutexes, once the set-up has finished: gives the open piece its rendering, or has the
// renderer make a synth for it first.
void FluidMusicDevice::start_rendering() {
    if (piece_ != nullptr || piece_bytes_.empty()) return;
    const bool audible = sink_ != Sink::Silent && !soundfont_.empty();
    if (audible && synth_ == nullptr) {
        render_wanted_.notify_all();
        return;
    }
    if (audible && summary_.seconds > RenderedPiece::kLongestSeconds) {
        tell_once(path_, path_ + " lasts over ten minutes; its first ten loop");
    }
    // Unheard or refused, it still keeps its time, so the game's loop goes on as ever.
    piece_ = audible ? RenderedPiece::render(std::exchange(synth_, nullptr), piece_bytes_, summary_)
                     : RenderedPiece::timed(summary_);
    if (piece_->failure() != nullptr) tell_unplayable(path_, piece_->failure());
    playback_.attach(piece_.get());
    render_wanted_.notify_all();
}

std::unique_lock<std::mutex> FluidMusicDevice::lock_rendering() {
    ++render_waiters_;
    std::unique_lock lock(render_mutex_);
    --render_waiters_;
    return lock;
}

void FluidMusicDevice::render_ahead() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kRendererNice);
    std::unique_lock lock(render_mutex_);
    while (!quitting_) {
        // What finished and closed pieces leave is freed here, unlocked. The output may finish a piece
        // itself, rendering on the spot; this thread waits only with nothing to render, so it finds
        // the piece finished on its next turn.
        PieceSynth spent = piece_ != nullptr ? piece_->take_synth() : PieceSynth{};
        if (spent || !retired_.empty()) {
            auto retired = std::exchange(retired_, {});
            lock.unlock();
            spent = {};
            retired.clear();
            // The soundfont's presets and the samples go back to the system, not only to malloc.
            malloc_trim(0);
            lock.lock();
        } else if (piece_ != nullptr && !piece_->finished()) {
            piece_->render_block();
            // A command or an output behind the rendering waits for the synth: let it have it.
            lock.unlock();
            while (render_waiters_ > 0 && !quitting_) std::this_thread::sleep_for(kGiveWay);
            lock.lock();
        } else if (set_up_finished_ && piece_ == nullptr && !piece_bytes_.empty() && synth_ == nullptr) {
            // Each piece gets a fresh synth, made without holding up the game or the output.
            lock.unlock();
            std::string loaded;
            fluid_synth_t* synth = new_music_synth(settings_, soundfonts_, quitting_, loaded);
            lock.lock();
            if (synth != nullptr && loaded.empty()) {
                delete_fluid_synth(synth);
                synth = nullptr;
            }
            if (synth == nullptr && !quitting_) {
                std::fprintf(stderr, "music: %s can no longer be loaded; music stays silent\n",
                             soundfont_.c_str());
                soundfont_.clear();
            }
            synth_ = synth;
            const std::lock_guard state(state_mutex_);
            start_rendering();
        } else {
            render_wanted_.wait(lock);
        }
    }
}

size_t FluidMusicDevice::mix_from_memory(size_t at, size_t frames, size_t needed, bool again, float* left,
                                         float* right, size_t stride) {
    std::unique_lock state(state_mutex_);
    if (again) playback_.drop_last_mix();
    if (at != kWhereMixed) playback_.move_to(at);
    if (playback_.mixable() < needed) {
        // Behind the rendering: what this block needs is rendered here and now, as the synth did live.
        state.unlock();
        const auto rendering = lock_rendering();
        state.lock();
        while (piece_ != nullptr && playback_.mixable() < needed && piece_->render_block()) {
        }
    }
    // A piece still waiting for its synth: our stream keeps the silence it has queued since the piece
    // was opened and asks again soon, so that the first note comes as soon as there is one; a driver's
    // block is filled with silence.
    if (at != kWhereMixed && playback_.mixable() == 0) return 0;
    const size_t mixed = std::max(needed, std::min(frames, playback_.mixable()));
    playback_.mix(mixed, left, right, stride);
    return mixed;
}

void FluidMusicDevice::change_playback(const std::function<void()>& command) {
    // Our stream is locked first, as its own thread locks it before it asks for sound.
    const bool rewrites = sink_ == Sink::Pulse;
    if (rewrites) {
        pulse_->lock();
        pulse_->update_timing();
    }
    size_t at = kWhereMixed;
    {
        const auto rendering = lock_rendering();
        const std::lock_guard state(state_mutex_);
        // Only now: the renderer may have kept the synth a while, and the server played on meanwhile.
        if (rewrites) at = pulse_->first_changeable();
        if (sink_ == Sink::Silent) at = silent_clock_frame();
        if (at != kWhereMixed) at = playback_.move_to(at);
        command();
    }
    if (rewrites) {
        pulse_->rewrite_from(at);
        pulse_->unlock();
    }
}

bool FluidMusicDevice::memory_playing() {
    const bool queued = sink_ == Sink::Pulse;
    if (queued) pulse_->lock();
    const size_t heard = queued ? pulse_->heard() : kWhereMixed;
    bool playing = false;
    {
        const std::lock_guard state(state_mutex_);
        if (sink_ == Sink::Silent) playback_.move_to(silent_clock_frame());
        playing = queued ? playback_.playing_when(heard) : playback_.playing();
    }
    if (queued) pulse_->unlock();
    return playing;
}

size_t FluidMusicDevice::silent_clock_frame() const {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - silent_start_;
    return static_cast<size_t>(elapsed.count() * kSampleRate);
}

}  // namespace vr
