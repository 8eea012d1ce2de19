// The music device: the synth set up on a thread of its own, MIDI files checked, and the pieces played
// through one FluidSynth synth on the sound driver's thread or, with no sound output, on our own.
#include "platform/music/fluid_music_device.h"

#include <fluidsynth.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "platform/files/paths.h"

namespace vr {

namespace {

// Debian's alternatives link: the system's General MIDI font, which a player may point at a better one.
constexpr const char* kSystemSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kFallbackSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr double kSampleRate = 44100.0;
// The nice value of the thread that makes the synth: on a busy machine the window being built gets
// the cores first, yet the synth is not starved so long that closing the window would wait on it.
constexpr int kLoaderNice = 10;
// Smaller periods cost far more CPU under PulseAudio for no audible gain in a board game.
constexpr int kPeriodFrames = 512;
// fluid's default 0.2 leaves our pieces near -20 dBFS; 0.5 keeps the loudest peak near -6 dBFS.
constexpr double kSynthGain = 0.5;
constexpr int kStereo = 2;
// Nobody hears the silent thread, so it renders in bigger blocks and wakes less often; the end of a
// piece is still noticed within 50 ms.
constexpr int kSilentBlockFrames = 2048;
// Dry left/right plus reverb and chorus left/right, mixed into the same two buffers.
constexpr int kEffectBuffers = 4;
constexpr std::array<const char*, 2> kDrivers = {"pulseaudio", "alsa"};
constexpr const char* kAlsaDevices = "/dev/snd";
// Our pieces are a few kilobytes; anything this large is not one of them.
constexpr std::uintmax_t kMaxMidiBytes = 4 * 1024 * 1024;

// ---- FluidSynth's log: errors and warnings once each, nothing else ----

void on_fluid_log(int level, const char* message, void*) {
    static std::mutex log_mutex;
    static std::set<std::string> said;
    constexpr size_t kMaxRemembered = 64;
    const std::lock_guard lock(log_mutex);
    if (said.size() >= kMaxRemembered || !said.insert(message).second) return;
    std::fprintf(stderr, "music: fluidsynth %s: %s\n", level == FLUID_WARN ? "warning" : "error", message);
}

void on_quiet_log(int, const char*, void*) {}

void route_fluid_log(bool quiet) {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN}) {
        fluid_set_log_function(level, quiet ? on_quiet_log : on_fluid_log, nullptr);
    }
    fluid_set_log_function(FLUID_INFO, on_quiet_log, nullptr);
    fluid_set_log_function(FLUID_DBG, on_quiet_log, nullptr);
}

std::optional<std::vector<uint8_t>> read_file(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxMidiBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// Fluid's log function is one global: one device at a time may silence it while probing drivers.
std::mutex& log_routing_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::string find_piece(const std::string& game_path) {
    std::string path = game_path;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
    return resolve_data_path(game_path);
}

}  // namespace

// ---- the device ----

std::vector<std::string> system_soundfonts() {
    if (const char* chosen = std::getenv("BERORAN_SOUNDFONT"); chosen != nullptr && *chosen != '\0') {
        return {chosen};
    }
    return {kSystemSoundFont, kFallbackSoundFont};
}

FluidMusicDevice::FluidMusicDevice(Output output, std::vector<std::string> soundfonts,
                                   std::chrono::milliseconds hold) {
    // Started here, not among the initialisers, so every member it touches exists already.
    set_up_thread_ = std::thread([this, output, soundfonts = std::move(soundfonts), hold] {
        {
            std::unique_lock lock(render_mutex_);
            released_.wait_for(lock, hold, [this] { return release_set_up_; });
        }
        set_up(output, soundfonts);
    });
}

FluidMusicDevice::~FluidMusicDevice() {
    // A set-up under way stops at its next step; then the audio thread goes, so nothing renders
    // while the player and synth are taken down.
    quitting_ = true;
    release_set_up();
    set_up_thread_.join();
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    if (silent_thread_.joinable()) silent_thread_.join();
    if (player_ != nullptr) delete_fluid_player(player_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void FluidMusicDevice::release_set_up() {
    {
        const std::lock_guard lock(render_mutex_);
        release_set_up_ = true;
    }
    released_.notify_all();
}

void FluidMusicDevice::wait_until_set_up() {
    std::unique_lock lock(render_mutex_);
    set_up_done_.wait(lock, [this] { return set_up_finished_; });
}

std::string FluidMusicDevice::soundfont_file() {
    const std::lock_guard lock(render_mutex_);
    return soundfont_;
}

bool FluidMusicDevice::plays_silently() {
    wait_until_set_up();
    return silent_thread_.joinable();
}

fluid_synth_t* FluidMusicDevice::make_synth(const std::vector<std::string>& soundfonts,
                                            std::string& loaded_font) {
    // Building the window matters more than the music, which starts only after the title.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kLoaderNice);
    if (quitting_) return nullptr;
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(settings_, "audio.period-size", kPeriodFrames);
    fluid_settings_setnum(settings_, "synth.gain", kSynthGain);
    // A large font then costs only the instruments our pieces play.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* synth = new_fluid_synth(settings_);
    bool loaded = false;
    for (const auto& soundfont : soundfonts) {
        std::error_code error;
        if (synth == nullptr || loaded || quitting_ || !std::filesystem::exists(soundfont, error)) continue;
        // No presets yet: the player selects them at the start of each piece, so only its instruments load.
        loaded = fluid_synth_sfload(synth, soundfont.c_str(), 0) != FLUID_FAILED;
        if (!loaded) continue;
        // The file itself, not the alternatives link that chose it.
        const std::filesystem::path file = std::filesystem::canonical(soundfont, error);
        loaded_font = error ? soundfont : file.string();
    }
    // Without a soundfont the pieces still run their course, just inaudibly.
    if (synth != nullptr && !loaded && !quitting_) {
        std::string tried;
        for (const auto& soundfont : soundfonts) tried += (tried.empty() ? "" : ", ") + soundfont;
        std::fprintf(stderr, "music: no soundfont could be loaded (%s); music stays silent\n", tried.c_str());
    }
    return synth;
}

void FluidMusicDevice::set_up(Output output, const std::vector<std::string>& soundfonts) {
    // The sound threads inherit their creator's priority and could not win it back: the synth is
    // made at low priority on a thread of its own, the output started from this one.
    fluid_synth_t* synth = nullptr;
    std::string loaded_font;
    std::thread loader([&] { synth = make_synth(soundfonts, loaded_font); });
    loader.join();
    {
        // The piece the game opened (and perhaps played) meanwhile goes to the synth now.
        const std::lock_guard lock(render_mutex_);
        synth_ = synth;
        soundfont_ = loaded_font;
        synth_ready_ = true;
        if (synth_ != nullptr && !alias_.empty() && load_piece(waiting_piece_) && playing_) {
            fluid_player_play(player_);
        }
        waiting_piece_.clear();
    }
    if (!quitting_) start_output(output);
    {
        const std::lock_guard lock(render_mutex_);
        set_up_finished_ = true;
    }
    set_up_done_.notify_all();
}

void FluidMusicDevice::start_output(Output output) {
    if (synth_ == nullptr) return;
    if (output == Output::Speakers) {
        {
            // A missing sound server is expected on CI and remote sessions: say it once, our way.
            const std::lock_guard routing(log_routing_mutex());
            route_fluid_log(true);
            for (const char* driver : kDrivers) {
                // Without sound devices ALSA only fills stderr with its own complaints.
                std::error_code error;
                if (std::string(driver) == "alsa" && !std::filesystem::exists(kAlsaDevices, error)) continue;
                fluid_settings_setstr(settings_, "audio.driver", driver);
                driver_ = new_fluid_audio_driver2(settings_, on_driver_block, this);
                if (driver_ != nullptr) break;
            }
            route_fluid_log(false);
        }
        if (driver_ != nullptr) return;
        std::fprintf(stderr, "music: no sound output found; the music plays silently\n");
    }
    // Unheard effects are wasted work; the pieces keep their timing without them.
    constexpr int kAllEffectGroups = -1;
    {
        const std::lock_guard lock(render_mutex_);
        fluid_synth_reverb_on(synth_, kAllEffectGroups, 0);
        fluid_synth_chorus_on(synth_, kAllEffectGroups, 0);
    }
    silent_thread_ = std::thread([this] { render_silently(); });
}

void FluidMusicDevice::render_silently() {
    std::array<std::array<float, kSilentBlockFrames>, kStereo> buffers{};
    const auto period = std::chrono::duration<double>(kSilentBlockFrames / kSampleRate);
    auto next = std::chrono::steady_clock::now();
    while (!quitting_) {
        for (auto& buffer : buffers) buffer.fill(0.0F);
        float* out[kStereo] = {buffers[0].data(), buffers[1].data()};
        render_block(kSilentBlockFrames, 0, nullptr, kStereo, out);
        next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(next);
    }
}

int FluidMusicDevice::render_block(int frames, int nfx, float* fx[], int nout, float* out[]) {
    const std::lock_guard lock(render_mutex_);
    int result = FLUID_OK;
    if (nfx == 0 && nout == kStereo) {
        float* effects[kEffectBuffers] = {out[0], out[1], out[0], out[1]};
        result = fluid_synth_process(synth_, frames, kEffectBuffers, effects, nout, out);
    } else {
        result = fluid_synth_process(synth_, frames, nfx, fx, nout, out);
    }
    // Stopping from inside the player's own callback would be overwritten by it; do it here.
    if (end_reached_.exchange(false) && player_ != nullptr && playing_) {
        fluid_player_stop(player_);
        playing_ = false;
        at_end_ = true;
    }
    return result;
}

int FluidMusicDevice::on_driver_block(void* device, int frames, int nfx, float* fx[], int nout,
                                      float* out[]) {
    return static_cast<FluidMusicDevice*>(device)->render_block(frames, nfx, fx, nout, out);
}

int FluidMusicDevice::on_player_tick(void* device, int tick) {
    // fluid's own "done" comes seconds after the last note; the piece ends when its ticks do.
    auto* self = static_cast<FluidMusicDevice*>(device);
    if (tick >= self->total_ticks_) self->end_reached_ = true;
    return FLUID_OK;
}

int FluidMusicDevice::send_command(const std::string& text, std::string* reply) {
    const auto command = parse_music_command(text);
    if (!command) return kMusicBadCommand;
    if (command->verb == MusicVerb::Open) return open_piece(*command);
    if (alias_.empty() || command->alias != alias_) return kMusicUnknownAlias;
    switch (command->verb) {
        case MusicVerb::Close:
            close_piece();
            break;
        case MusicVerb::Play:
            play_piece();
            break;
        case MusicVerb::Stop:
            stop_piece();
            break;
        case MusicVerb::Seek:
            rewind_piece();
            break;
        case MusicVerb::Status:
            if (reply != nullptr) *reply = playing_ ? "playing" : "stopped";
            break;
        case MusicVerb::Open:
            break;
    }
    return kMusicOk;
}

int FluidMusicDevice::open_piece(const MusicCommand& command) {
    if (!alias_.empty()) return kMusicAlreadyOpen;
    const std::string path = find_piece(command.path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        tell_unplayable(path, "no such file");
        return kMusicFileMissing;
    }
    const auto bytes = read_file(path);
    if (!bytes) {
        tell_unplayable(path, "it cannot be read or is too large for a piece");
        return kMusicBadFile;
    }
    const auto summary = inspect_midi(*bytes);
    if (!summary) {
        tell_unplayable(path, "not a valid MIDI file");
        return kMusicBadFile;
    }

    const std::lock_guard lock(render_mutex_);
    if (synth_ready_) {
        if (synth_ == nullptr) return kMusicBadFile;
        if (!load_piece(*bytes)) {
            tell_unplayable(path, "the synthesizer refused it");
            return kMusicBadFile;
        }
    } else {
        waiting_piece_ = *bytes;
    }
    total_ticks_ = summary->total_ticks;
    at_end_ = false;
    end_reached_ = false;
    playing_ = false;
    alias_ = command.alias;
    return kMusicOk;
}

bool FluidMusicDevice::load_piece(const std::vector<uint8_t>& bytes) {
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return false;
    // FluidSynth copies the bytes.
    if (fluid_player_add_mem(player_, bytes.data(), bytes.size()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
        return false;
    }
    fluid_player_set_tick_callback(player_, on_player_tick, this);
    return true;
}

void FluidMusicDevice::tell_unplayable(const std::string& path, const char* why) {
    // The game asks again at every screen; once a run is enough to know.
    if (told_unplayable_.insert(path).second) {
        std::fprintf(stderr, "music: cannot play %s: %s; the game goes on without it\n", path.c_str(), why);
    }
}

void FluidMusicDevice::close_piece() {
    const std::lock_guard lock(render_mutex_);
    if (player_ != nullptr) {
        delete_fluid_player(player_);
        player_ = nullptr;
        // The player leaves its notes to the synth; a closed piece must fall silent now.
        fluid_synth_all_sounds_off(synth_, -1);
    }
    waiting_piece_.clear();
    alias_.clear();
    playing_ = false;
    end_reached_ = false;
}

// Until the synth is ready there is no player: the piece's state is kept here alone, and set_up
// starts the piece if it is playing by then.
void FluidMusicDevice::play_piece() {
    const std::lock_guard lock(render_mutex_);
    if (playing_) return;
    if (player_ != nullptr) {
        // A piece that has run out plays again from the top, as after a seek.
        if (at_end_) fluid_player_seek(player_, 0);
        fluid_player_play(player_);
    }
    at_end_ = false;
    end_reached_ = false;
    playing_ = true;
}

void FluidMusicDevice::stop_piece() {
    const std::lock_guard lock(render_mutex_);
    if (playing_ && player_ != nullptr) fluid_player_stop(player_);
    playing_ = false;
    end_reached_ = false;
}

void FluidMusicDevice::rewind_piece() {
    const std::lock_guard lock(render_mutex_);
    // Seeking stops the piece, as the game expects before it says "play".
    if (player_ != nullptr) {
        if (playing_) fluid_player_stop(player_);
        fluid_player_seek(player_, 0);
    }
    playing_ = false;
    at_end_ = false;
    end_reached_ = false;
}

}  // namespace vr
