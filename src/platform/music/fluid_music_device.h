// The game's music device: media-control command strings played as Standard MIDI Files through
// FluidSynth, set up off the GUI thread. Each piece is rendered once into memory and looped from there;
// the synth rendering every sample live, as the game once did, stays for comparison.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/memory_playback.h"
#include "platform/music/midi_check.h"
#include "platform/music/music_command.h"
#include "platform/music/pulse_output.h"
#include "platform/music/rendered_piece.h"
#include "platform/music/sample_format.h"
#include "platform/music/synth_setup.h"
#include "platform/music_device.h"

using fluid_audio_driver_t = struct _fluid_audio_driver_t;

namespace vr {

// ---- the device ----

// Error codes of send_command (0 is success).
enum MusicError : int {
    kMusicOk = 0,
    kMusicBadCommand = 1,    // unrecognised or garbled text
    kMusicUnknownAlias = 2,  // the alias names no open piece
    kMusicAlreadyOpen = 3,   // open while another piece is open
    kMusicFileMissing = 4,   // open: no such file
    kMusicBadFile = 5,       // open: not a playable MIDI file
};

// The soundfonts to try, in order: BERORAN_SOUNDFONT when set (for measurements), else the system's
// choice (Debian's default-GM.sf2 alternatives link), else TimGM6mb by name.
std::vector<std::string> system_soundfonts();

class FluidMusicDevice : public MusicDevice {
public:
    enum class Output {
        Speakers,  // PulseAudio, else ALSA, else silent
        Silent,    // nobody listens: the pieces only keep time (tests, benchmarks)
        Pulled,    // the owner takes the sound block by block with pull() (tests)
    };
    enum class Rendering {
        FromMemory,  // each piece rendered once, ahead of its playback, then played from memory
        Live,        // the synth renders every sample as it is played
    };

    // Returns at once: the synth, its soundfont and the output are set up on a thread of their own.
    // Commands sent meanwhile answer as they would on a ready device, and an open piece that was
    // asked to play starts when the synth is ready. With a `hold`, that thread waits until
    // release_set_up() or for `hold` at most before it begins.
    explicit FluidMusicDevice(Output output = Output::Speakers,
                              std::vector<std::string> soundfonts = system_soundfonts(),
                              std::chrono::milliseconds hold = std::chrono::milliseconds(0),
                              Rendering rendering = Rendering::FromMemory);
    // Ends a set-up still under way (or held) at its next step rather than finishing it.
    ~FluidMusicDevice() override;
    FluidMusicDevice(const FluidMusicDevice&) = delete;
    FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

    int send_command(const std::string& command, std::string* reply) override;
    std::string soundfont_file() override;
    Hearing hearing() override;

    // Lets a held set-up begin now.
    void release_set_up();
    void wait_until_set_up();
    // Whether the open piece is wholly in memory, its tail included.
    bool piece_rendered();
    // Output::Pulled: the next `frames` of sound, as a sound driver takes them.
    void pull(int frames, float* left, float* right);

private:
    // Where the sound goes, once the set-up has chosen.
    enum class Sink { NotYet, Pulse, Driver, Pulled, Silent };

    // ---- commands ----
    int open_piece(const MusicCommand& command);
    void close_piece();
    void play_piece();
    void stop_piece();
    void rewind_piece();
    bool piece_playing();
    // Says once per file and run what the player should know of it, or why it cannot be played.
    void tell_once(const std::string& path, const std::string& message);
    void tell_unplayable(const std::string& path, const char* why);

    // ---- set-up ----
    void set_up(Output output, const std::vector<std::string>& soundfonts);
    void start_output(Output output);
    bool start_driver();
    static int on_driver_block(void* device, int frames, int nfx, float* fx[], int nout, float* out[]);

    // ---- the synth live (fluid_music_device_live.cpp) ----
    bool load_live_piece();
    void play_live();
    void stop_live();
    void rewind_live();
    void close_live();
    int render_live(int frames, int nfx, float* fx[], int nout, float* out[]);
    void render_silently();

    // ---- from memory (fluid_music_device_memory.cpp) ----
    void start_rendering();
    void render_ahead();
    std::unique_lock<std::mutex> lock_rendering();
    // Mixes output frames from `at` (kWhereMixed: where the mix has got to), rendering on the spot
    // what `needed` of them lack; returns the frames mixed. `again`: our stream dropped what the last
    // call mixed, as too late to be heard.
    size_t mix_from_memory(size_t at, size_t frames, size_t needed, bool again, float* left, float* right,
                           size_t stride);
    // Runs a command on the playback at the frame the output has reached, and has the output take it up.
    void change_playback(const std::function<void()>& command);
    bool memory_playing();
    size_t silent_clock_frame() const;
    static constexpr size_t kWhereMixed = RenderedPiece::kUnknown;

    const Rendering rendering_;
    // Made on the set-up thread; the device reads them only once the set-up has finished, or under
    // render_mutex_ once synth_ready_.
    fluid_settings_t* settings_ = nullptr;
    std::string soundfont_;                   // the one that loaded; empty: the music is silent
    std::vector<std::string> soundfonts_;     // what every later synth loads: the one that loaded
    fluid_audio_driver_t* driver_ = nullptr;  // FluidSynth's sound driver, when it is the sink
    std::unique_ptr<PulseOutput> pulse_;      // our own stream, when it is the sink
    std::atomic<Sink> sink_{Sink::NotYet};
    // Frame 0 of a silent output's clock: set before sink_, which commands read first.
    std::chrono::steady_clock::time_point silent_start_;
    std::thread silent_thread_;  // live and silent only
    std::thread renderer_;       // from memory only
    std::thread set_up_thread_;
    std::atomic<bool> quitting_{false};  // asks the set-up and the device's threads to end

    std::mutex render_mutex_;                // guards the synths, the live player and the rendering below
    std::atomic<int> render_waiters_{0};     // others waiting for render_mutex_: the renderer gives way
    std::condition_variable render_wanted_;  // wakes the renderer
    std::condition_variable released_;       // signalled with release_set_up_
    bool release_set_up_ = false;            // a held set-up may begin
    std::condition_variable set_up_done_;    // signalled with set_up_finished_
    bool synth_ready_ = false;               // synth_ is final (it may be null)
    bool set_up_finished_ = false;           // the output is chosen too
    fluid_synth_t* synth_ = nullptr;         // live: the synth; from memory: a fresh one for the next piece

    // The open piece (alias empty when closed); its file is kept for the synth of its rendering.
    std::string alias_;
    std::string path_;
    std::vector<uint8_t> piece_bytes_;
    MidiSummary summary_;

    // Live: the open piece in FluidSynth; null when closed or not ready.
    fluid_player_t* player_ = nullptr;
    bool at_end_ = false;               // the open piece played to its end
    std::atomic<bool> playing_{false};  // what "status ... mode" reports
    TickWatch live_ticks_;              // the end, seen by the tick callback, handled after the block

    // From memory: the rendering lives under both mutexes, the playback under state_mutex_.
    std::mutex state_mutex_;
    std::unique_ptr<RenderedPiece> piece_;
    MemoryPlayback playback_;
    std::vector<std::unique_ptr<RenderedPiece>> retired_;  // closed, for the renderer to delete

    std::mutex told_mutex_;       // the renderer may tell too
    std::set<std::string> told_;  // files already reported on stderr
};

// BERORAN_MUSIC_RENDERING=live picks the synth rendering live, for measuring against it.
FluidMusicDevice::Rendering music_rendering_from_environment();

}  // namespace vr
