// Sound through a PulseAudio stream of our own that queues two seconds ahead, so that the sound server
// wakes us a couple of times a second instead of ninety; when a command changes the music, what is
// queued is written again from just after the frame being heard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_mainloop_api;
struct timeval;

namespace vr {

class PulseOutput {
public:
    // Fills interleaved stereo for output frames [at, at + frames) and returns how many it filled: at
    // least `needed`, more only as far as it can without rendering; none while there is nothing to
    // give yet (a piece waiting for its synth), and the output asks again soon. With `again`, what the
    // last call gave came too late to be heard and was dropped. Called with the output locked.
    using Source =
        std::function<size_t(size_t at, size_t frames, size_t needed, bool again, float* interleaved)>;

    // Null when no PulseAudio server answers, quickly when none runs.
    static std::unique_ptr<PulseOutput> connect(Source source);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // The output's thread and the device's commands take turns under this lock.
    void lock();
    void unlock();

    // ---- with the output locked ----

    // Fresh timing from the server rather than an estimate from the last one. It waits for the
    // server, so the caller holds no lock that the output's thread may be waiting for.
    void update_timing();
    // The output frame a command may change first: a little after the one being heard, as late as
    // the server may still have to replace what follows.
    size_t first_changeable();
    // The output frame being heard.
    size_t heard();
    // Asks the source again from output frame `at` on and replaces what was queued after it.
    void rewrite_from(size_t at);

private:
    explicit PulseOutput(Source source);
    bool open_stream();
    // Asks the source for frames up to `end` (and up to what was queued before), writing what it gives.
    void fill_to(size_t end);
    static void on_write(pa_stream* stream, size_t bytes, void* output);
    static void on_retry(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when,
                         void* output);

    Source source_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* retry_ = nullptr;  // armed while less was written than wanted
    std::vector<float> mix_;          // interleaved, from one call of the source
    std::vector<int16_t> pcm_;        // the same as the stream takes it
    size_t written_ = 0;              // output frames from the source so far: the server's write index
    size_t queued_ = 0;               // the end of what the server holds; stale past written_ after a rewrite
    size_t wanted_ = 0;               // what the last fill aimed at
};

}  // namespace vr
