// A PulseAudio stream of our own: two seconds queued, refilled when the server asks, rewritten from
// just after the frame being heard when a command changes the music.
#include "platform/music/pulse_output.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <algorithm>
#include <vector>

#include "platform/music/sample_format.h"

namespace vr {

namespace {

// 16-bit like the pieces in memory and most sound servers' sinks: half the shared memory of floats.
constexpr size_t kFrameBytes = kStereo * sizeof(int16_t);
// The queue and the part of it the server asks for at a time: two wake-ups a second while music plays.
constexpr double kQueueSeconds = 2.0;
constexpr double kRequestSeconds = 0.5;
// Always in the queue past the frame being heard, rendered on the spot if it must be.
constexpr size_t kLeadFrames = 4096;
// A command changes the music this long after the frame being heard: the time the server takes to
// take our rewrite, so that nothing of it is lost. The sound driver's period did as much before.
constexpr size_t kChangeMarginFrames = 441;
// Frames that reach the server less than this ahead of the frame being heard may lose their start:
// the server took up to 170 frames to take a write here.
constexpr size_t kTooLateFrames = kChangeMarginFrames / 2;
// While the queue is short of what the server asked for, the next try comes this soon: well within
// the lead, and soon enough for a piece waiting for its synth to start as soon as it has one.
constexpr pa_usec_t kRetryMicroseconds = 20000;
constexpr size_t kChunkFrames = 8192;

uint32_t bytes_for(double seconds) {
    return static_cast<uint32_t>(seconds * kSampleRate) * kFrameBytes;
}

void signal_mainloop(void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}

}  // namespace

PulseOutput::PulseOutput(Source source)
    : source_(std::move(source)), mix_(kChunkFrames * kStereo), pcm_(kChunkFrames * kStereo) {}

std::unique_ptr<PulseOutput> PulseOutput::connect(Source source) {
    std::unique_ptr<PulseOutput> output(new PulseOutput(std::move(source)));
    output->mainloop_ = pa_threaded_mainloop_new();
    if (output->mainloop_ == nullptr) return nullptr;
    output->context_ = pa_context_new(pa_threaded_mainloop_get_api(output->mainloop_), "beroran");
    if (output->context_ == nullptr) return nullptr;
    pa_context_set_state_callback(
        output->context_, [](pa_context*, void* mainloop) { signal_mainloop(mainloop); }, output->mainloop_);
    // Fails at once when no server runs; one is never started for us.
    if (pa_context_connect(output->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(output->mainloop_) < 0) {
        return nullptr;
    }
    output->lock();
    bool ready = false;
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(output->context_);
        if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state)) {
            ready = state == PA_CONTEXT_READY && output->open_stream();
            break;
        }
        pa_threaded_mainloop_wait(output->mainloop_);
    }
    output->unlock();
    return ready ? std::move(output) : nullptr;
}

bool PulseOutput::open_stream() {
    const pa_sample_spec sample_format{PA_SAMPLE_S16NE, static_cast<uint32_t>(kSampleRate), kStereo};
    stream_ = pa_stream_new(context_, "music", &sample_format, nullptr);
    if (stream_ == nullptr) return false;
    pa_stream_set_state_callback(
        stream_, [](pa_stream*, void* mainloop) { signal_mainloop(mainloop); }, mainloop_);
    pa_stream_set_write_callback(stream_, on_write, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = bytes_for(kQueueSeconds);
    attributes.prebuf = 0;  // play at once, and never wait for the queue to fill again
    attributes.minreq = bytes_for(kRequestSeconds);
    attributes.fragsize = static_cast<uint32_t>(-1);
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &attributes, flags, nullptr, nullptr) < 0) return false;
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) return true;
        if (!PA_STREAM_IS_GOOD(state)) return false;
        pa_threaded_mainloop_wait(mainloop_);
    }
}

PulseOutput::~PulseOutput() {
    if (mainloop_ != nullptr) pa_threaded_mainloop_stop(mainloop_);
    if (retry_ != nullptr) pa_threaded_mainloop_get_api(mainloop_)->time_free(retry_);
    if (stream_ != nullptr) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (mainloop_ != nullptr) pa_threaded_mainloop_free(mainloop_);
}

void PulseOutput::lock() {
    pa_threaded_mainloop_lock(mainloop_);
}
void PulseOutput::unlock() {
    pa_threaded_mainloop_unlock(mainloop_);
}

size_t PulseOutput::heard() {
    pa_usec_t microseconds = 0;
    if (pa_stream_get_time(stream_, &microseconds) < 0) return 0;
    return static_cast<size_t>(static_cast<double>(microseconds) * kSampleRate / PA_USEC_PER_SEC);
}

void PulseOutput::update_timing() {
    if (pa_operation* update = pa_stream_update_timing_info(
            stream_, [](pa_stream*, int, void* mainloop) { signal_mainloop(mainloop); }, mainloop_)) {
        while (pa_operation_get_state(update) == PA_OPERATION_RUNNING) pa_threaded_mainloop_wait(mainloop_);
        pa_operation_unref(update);
    }
}

size_t PulseOutput::first_changeable() {
    // Interpolated from the last timing update: no waiting.
    return heard() + kChangeMarginFrames;
}

void PulseOutput::rewrite_from(size_t at) {
    written_ = at;
    fill_to(std::max(queued_, at + kLeadFrames));
}

void PulseOutput::on_write(pa_stream*, size_t bytes, void* output) {
    auto* self = static_cast<PulseOutput*>(output);
    // The server counts from the end of our last write, which is where the source has got to.
    self->fill_to(self->written_ + bytes / kFrameBytes);
}

void PulseOutput::on_retry(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* output) {
    auto* self = static_cast<PulseOutput*>(output);
    self->fill_to(self->wanted_);
}

void PulseOutput::fill_to(size_t end) {
    wanted_ = std::max(end, queued_);
    // After the queue ran dry, what was missed is gone: go on from just after what is heard.
    size_t heard_now = heard();
    if (written_ < heard_now) written_ = heard_now + kChangeMarginFrames;
    bool rest_at_once = false;
    while (written_ < wanted_) {
        const size_t frames = std::min(kChunkFrames, wanted_ - written_);
        size_t needed = 0;
        const auto ask = [&](bool again) {
            const size_t lead_end = heard_now + kLeadFrames;
            needed = lead_end > written_ ? std::min(frames, lead_end - written_) : 0;
            return source_(written_, frames, needed, again, mix_.data());
        };
        size_t got = ask(false);
        // Rendering on the spot may have taken so long that the server is about to play past where
        // these frames go: rather than lose their start, the source gives them again, once, from a
        // little after the frame being heard now.
        heard_now = heard();
        if (got > 0 && written_ < heard_now + kTooLateFrames) {
            written_ = heard_now + kChangeMarginFrames;
            got = ask(true);
        }
        if (got > 0) {
            std::transform(mix_.begin(), mix_.begin() + static_cast<std::ptrdiff_t>(got * kStereo),
                           pcm_.begin(), to_pcm);
            pa_stream_write(stream_, pcm_.data(), got * kFrameBytes, nullptr,
                            static_cast<int64_t>(written_ * kFrameBytes), PA_SEEK_ABSOLUTE);
            written_ += got;
        }
        if (got < frames) break;
        // Nothing reaches the server before the output is unlocked: frames it needs soon go on their
        // own, and the rest of the queue (2 s to mix) follows at once, long before it is heard.
        if (needed > 0 && written_ < wanted_) {
            rest_at_once = true;
            break;
        }
    }
    queued_ = std::max(queued_, written_);
    // Short of the rendering, try again soon, before the queue runs out of what was written; with the
    // rest of the queue to mix, at once.
    if (written_ < wanted_) {
        const pa_usec_t when = pa_rtclock_now() + (rest_at_once ? 0 : kRetryMicroseconds);
        if (retry_ == nullptr) {
            retry_ = pa_context_rttime_new(context_, when, on_retry, this);
        } else {
            pa_context_rttime_restart(context_, retry_, when);
        }
    }
}

}  // namespace vr
