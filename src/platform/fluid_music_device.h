// The game's music device: media-control command strings played as Standard MIDI Files through
// FluidSynth, with a silent render thread when no sound output exists.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi_check.h"
#include "platform/music_command.h"
#include "platform/music_device.h"

// FluidSynth's handles, so that game code including this header does not see FluidSynth.
using fluid_settings_t = struct _fluid_hashtable_t;
using fluid_synth_t = struct _fluid_synth_t;
using fluid_audio_driver_t = struct _fluid_audio_driver_t;
using fluid_player_t = struct _fluid_player_t;

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

class FluidMusicDevice : public MusicDevice {
public:
    enum class Output {
        Speakers,  // PulseAudio, else ALSA, else silent
        Silent,    // render on our own thread and discard the sound (tests, benchmarks)
    };

    explicit FluidMusicDevice(Output output = Output::Speakers);
    ~FluidMusicDevice() override;
    FluidMusicDevice(const FluidMusicDevice&) = delete;
    FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

    int send_command(const std::string& command, std::string* reply) override;

    bool plays_silently() const { return silent_thread_.joinable(); }
    void wait_until_set_up() {}

private:
    int open_piece(const MusicCommand& command);
    void close_piece();
    void play_piece();
    void stop_piece();
    void rewind_piece();

    void start_output(Output output);
    void render_silently();
    // Renders one block under render_mutex_; shared by the sound driver and the silent thread.
    int render_block(int frames, int nfx, float* fx[], int nout, float* out[]);
    static int on_driver_block(void* device, int frames, int nfx, float* fx[], int nout, float* out[]);
    static int on_player_tick(void* device, int tick);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;  // null when silent
    std::thread silent_thread_;               // runs only when silent
    std::atomic<bool> quitting_{false};       // asks the silent thread to end

    std::mutex render_mutex_;               // guards the synth and player_ against the audio thread
    fluid_player_t* player_ = nullptr;      // the open piece; null when closed
    std::string alias_;                     // alias of the open piece; empty when closed
    int total_ticks_ = 0;                   // length of the open piece in ticks
    bool at_end_ = false;                   // the open piece played to its end (under render_mutex_)
    std::atomic<bool> playing_{false};      // what "status ... mode" reports
    std::atomic<bool> end_reached_{false};  // set by the tick callback, handled after the block
};

}  // namespace vr
