// The game's music device: media-control command strings played as Standard MIDI Files through
// FluidSynth, set up off the GUI thread, with a silent render thread when no sound output exists.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/midi_check.h"
#include "platform/music/music_command.h"
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

// The soundfonts to try, in order: BERORAN_SOUNDFONT when set (for measurements), else the system's
// choice (Debian's default-GM.sf2 alternatives link), else TimGM6mb by name.
std::vector<std::string> system_soundfonts();

class FluidMusicDevice : public MusicDevice {
public:
    enum class Output {
        Speakers,  // PulseAudio, else ALSA, else silent
        Silent,    // render on our own thread and discard the sound (tests, benchmarks)
    };

    // Returns at once: the synth, its soundfont and the output are set up on a thread of their own.
    // Commands sent meanwhile answer as they would on a ready device, and an open piece that was
    // asked to play starts when the synth is ready. With a `hold`, that thread waits until
    // release_set_up() or for `hold` at most before it begins.
    explicit FluidMusicDevice(Output output = Output::Speakers,
                              std::vector<std::string> soundfonts = system_soundfonts(),
                              std::chrono::milliseconds hold = std::chrono::milliseconds(0));
    // Ends a set-up still under way (or held) at its next step rather than finishing it.
    ~FluidMusicDevice() override;
    FluidMusicDevice(const FluidMusicDevice&) = delete;
    FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

    int send_command(const std::string& command, std::string* reply) override;
    std::string soundfont_file() override;

    // Lets a held set-up begin now.
    void release_set_up();
    void wait_until_set_up();
    bool plays_silently();  // waits for the set-up

private:
    int open_piece(const MusicCommand& command);
    void close_piece();
    void play_piece();
    void stop_piece();
    void rewind_piece();
    // Hands the open piece to FluidSynth; under render_mutex_ with the synth ready.
    bool load_piece(const std::vector<uint8_t>& bytes);
    // Says once per file and run why a piece cannot be played.
    void tell_unplayable(const std::string& path, const char* why);

    void set_up(Output output, const std::vector<std::string>& soundfonts);
    // Also gives the file of the soundfont it loaded, when one loaded.
    fluid_synth_t* make_synth(const std::vector<std::string>& soundfonts, std::string& loaded_font);
    void start_output(Output output);
    void render_silently();
    // Renders one block under render_mutex_; shared by the sound driver and the silent thread.
    int render_block(int frames, int nfx, float* fx[], int nout, float* out[]);
    static int on_driver_block(void* device, int frames, int nfx, float* fx[], int nout, float* out[]);
    static int on_player_tick(void* device, int tick);

    // Made on the set-up thread; the device reads them only under render_mutex_ once synth_ready_,
    // or after joining that thread.
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;  // null when silent
    std::thread silent_thread_;               // runs only when silent
    std::thread set_up_thread_;
    std::atomic<bool> quitting_{false};  // asks the set-up and the silent thread to end

    std::mutex render_mutex_;                // guards the synth, the player and the piece below
    std::condition_variable released_;       // signalled with release_set_up_
    bool release_set_up_ = false;            // a held set-up may begin
    std::condition_variable set_up_done_;    // signalled with set_up_finished_
    bool synth_ready_ = false;               // synth_ is final (it may be null)
    bool set_up_finished_ = false;           // the output is chosen too
    std::string soundfont_;                  // the soundfont's file once synth_ready_; empty when none
    fluid_player_t* player_ = nullptr;       // the open piece in FluidSynth; null when closed or not ready
    std::vector<uint8_t> waiting_piece_;     // the open piece's file while the synth is not ready
    std::string alias_;                      // alias of the open piece; empty when closed
    int total_ticks_ = 0;                    // length of the open piece in ticks
    bool at_end_ = false;                    // the open piece played to its end
    std::atomic<bool> playing_{false};       // what "status ... mode" reports
    std::atomic<bool> end_reached_{false};   // set by the tick callback, handled after the block
    std::set<std::string> told_unplayable_;  // files already reported on stderr
};

}  // namespace vr
