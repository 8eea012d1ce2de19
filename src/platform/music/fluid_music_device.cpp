// The music device: the synth set up on a thread of its own, the sound's way out chosen, and the
// commands taken apart and handed to the rendering from memory or to the synth live.
#include "platform/music/fluid_music_device.h"

#include <fluidsynth.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files/paths.h"

namespace vr {

namespace {

// Debian's alternatives link: the system's General MIDI font, which a player may point at a better one.
constexpr const char* kSystemSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kFallbackSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// The nice value of the thread that makes the synth: on a busy machine the window being built gets
// the cores first, yet the synth is not starved so long that closing the window would wait on it.
constexpr int kLoaderNice = 10;
constexpr const char* kAlsaDevices = "/dev/snd";
// Our pieces are a few kilobytes; anything this large is not one of them.
constexpr std::uintmax_t kMaxMidiBytes = 4 * 1024 * 1024;

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

std::vector<std::string> system_soundfonts() {
    if (const char* chosen = std::getenv("BERORAN_SOUNDFONT"); chosen != nullptr && *chosen != '\0') {
        return {chosen};
    }
    return {kSystemSoundFont, kFallbackSoundFont};
}

FluidMusicDevice::Rendering music_rendering_from_environment() {
    const char* chosen = std::getenv("BERORAN_MUSIC_RENDERING");
    return chosen != nullptr && std::string(chosen) == "live" ? FluidMusicDevice::Rendering::Live
                                                              : FluidMusicDevice::Rendering::FromMemory;
}

// ---- set-up ----

FluidMusicDevice::FluidMusicDevice(Output output, std::vector<std::string> soundfonts,
                                   std::chrono::milliseconds hold, Rendering rendering)
    : rendering_(rendering) {
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
    // A set-up under way stops at its next step; then the threads that render and play go, so
    // nothing touches the pieces and the synth while they are taken down.
    quitting_ = true;
    release_set_up();
    set_up_thread_.join();
    pulse_.reset();
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    if (silent_thread_.joinable()) silent_thread_.join();
    { const std::lock_guard lock(render_mutex_); }
    render_wanted_.notify_all();
    if (renderer_.joinable()) renderer_.join();
    piece_.reset();
    retired_.clear();
    if (player_ != nullptr) delete_fluid_player(player_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_music_settings(settings_);
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
    std::string loaded;
    {
        const std::lock_guard lock(render_mutex_);
        loaded = soundfont_;
    }
    // The file itself, not the alternatives link that chose it.
    std::error_code error;
    const std::filesystem::path file = loaded.empty() ? "" : std::filesystem::canonical(loaded, error);
    return error ? loaded : file.string();
}

MusicDevice::Hearing FluidMusicDevice::hearing() {
    const std::lock_guard lock(render_mutex_);
    if (!set_up_finished_) return Hearing::SettingUp;
    return sink_ != Sink::Silent && !soundfont_.empty() ? Hearing::Heard : Hearing::Silent;
}

bool FluidMusicDevice::piece_rendered() {
    const std::lock_guard lock(state_mutex_);
    return piece_ != nullptr && piece_->finished();
}

void FluidMusicDevice::set_up(Output output, const std::vector<std::string>& soundfonts) {
    // The sound threads inherit their creator's priority and could not win it back: the synth is
    // made at low priority on a thread of its own, the output started from this one.
    fluid_synth_t* synth = nullptr;
    std::string loaded;
    std::thread loader([&] {
        // Building the window matters more than the music, which starts only after the title.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kLoaderNice);
        settings_ = new_music_settings();
        synth = new_music_synth(settings_, soundfonts, quitting_, loaded);
    });
    loader.join();
    // Without a soundfont the pieces still run their course, just inaudibly.
    if (synth != nullptr && loaded.empty() && !quitting_) {
        std::string tried;
        for (const auto& soundfont : soundfonts) tried += (tried.empty() ? "" : ", ") + soundfont;
        std::fprintf(stderr, "music: no soundfont could be loaded (%s); music stays silent\n", tried.c_str());
    }
    {
        // The piece the game opened (and perhaps played) meanwhile goes to the synth now.
        const std::lock_guard lock(render_mutex_);
        synth_ = synth;
        soundfont_ = loaded;
        soundfonts_ = {loaded};
        synth_ready_ = true;
        if (rendering_ == Rendering::Live && load_live_piece() && playing_) fluid_player_play(player_);
    }
    if (!quitting_) start_output(output);
    {
        const std::lock_guard lock(render_mutex_);
        const std::lock_guard state(state_mutex_);
        // Nobody hears a silent output: its pieces only keep time, and need no synth.
        if (rendering_ == Rendering::FromMemory && sink_ == Sink::Silent && synth_ != nullptr) {
            delete_fluid_synth(synth_);
            synth_ = nullptr;
        }
        set_up_finished_ = true;
        if (rendering_ == Rendering::FromMemory) start_rendering();
    }
    set_up_done_.notify_all();
}

void FluidMusicDevice::start_output(Output output) {
    Sink sink = Sink::Silent;
    if (output == Output::Pulled) {
        sink = Sink::Pulled;
    } else if (output == Output::Speakers && synth_ != nullptr) {
        if (rendering_ == Rendering::FromMemory) {
            pulse_ =
                PulseOutput::connect([this](size_t at, size_t frames, size_t needed, bool again, float* out) {
                    return mix_from_memory(at, frames, needed, again, out, out + 1, kStereo);
                });
        }
        sink = pulse_ != nullptr ? Sink::Pulse : start_driver() ? Sink::Driver : Sink::Silent;
        if (sink == Sink::Silent)
            std::fprintf(stderr, "music: no sound output found; the music plays silently\n");
    }
    if (sink == Sink::Silent && rendering_ == Rendering::Live && synth_ != nullptr) {
        // Unheard effects are wasted work; the pieces keep their timing without them.
        constexpr int kAllEffectGroups = -1;
        {
            const std::lock_guard lock(render_mutex_);
            fluid_synth_reverb_on(synth_, kAllEffectGroups, 0);
            fluid_synth_chorus_on(synth_, kAllEffectGroups, 0);
        }
        silent_thread_ = std::thread([this] { render_silently(); });
    }
    if (rendering_ == Rendering::FromMemory && sink != Sink::Silent) {
        renderer_ = std::thread([this] { render_ahead(); });
    }
    {
        // A command that sees the silent sink reads its clock at once.
        const std::lock_guard state(state_mutex_);
        silent_start_ = std::chrono::steady_clock::now();
    }
    sink_ = sink;
}

bool FluidMusicDevice::start_driver() {
    // Live, PulseAudio comes first; from memory our own stream has been tried already.
    std::vector<const char*> drivers = {"alsa"};
    if (rendering_ == Rendering::Live) drivers.insert(drivers.begin(), "pulseaudio");
    // A missing sound server is expected on CI and remote sessions: say it once, our way.
    const std::lock_guard routing(log_routing_mutex());
    route_fluid_log(true);
    for (const char* driver : drivers) {
        // Without sound devices ALSA only fills stderr with its own complaints.
        std::error_code error;
        if (std::string(driver) == "alsa" && !std::filesystem::exists(kAlsaDevices, error)) continue;
        fluid_settings_setstr(settings_, "audio.driver", driver);
        driver_ = new_fluid_audio_driver2(settings_, on_driver_block, this);
        if (driver_ != nullptr) break;
    }
    route_fluid_log(false);
    return driver_ != nullptr;
}

int FluidMusicDevice::on_driver_block(void* device, int frames, int nfx, float* fx[], int nout,
                                      float* out[]) {
    auto* self = static_cast<FluidMusicDevice*>(device);
    if (self->rendering_ == Rendering::Live) return self->render_live(frames, nfx, fx, nout, out);
    for (int i = 0; i < nfx; ++i) std::fill(fx[i], fx[i] + frames, 0.0F);
    for (int i = kStereo; i < nout; ++i) std::fill(out[i], out[i] + frames, 0.0F);
    if (nout >= kStereo) {
        const auto block = static_cast<size_t>(frames);
        self->mix_from_memory(kWhereMixed, block, block, false, out[0], out[1], 1);
    }
    return FLUID_OK;
}

void FluidMusicDevice::pull(int frames, float* left, float* right) {
    std::fill(left, left + frames, 0.0F);
    std::fill(right, right + frames, 0.0F);
    if (sink_ != Sink::Pulled) return;
    float* out[kStereo] = {left, right};
    on_driver_block(this, frames, 0, nullptr, kStereo, out);
}

// ---- commands ----

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
            if (reply != nullptr) *reply = piece_playing() ? "playing" : "stopped";
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
    auto bytes = read_file(path);
    if (!bytes) {
        tell_unplayable(path, "it cannot be read or is too large for a piece");
        return kMusicBadFile;
    }
    const auto summary = inspect_midi(*bytes);
    if (!summary) {
        tell_unplayable(path, "not a valid MIDI file");
        return kMusicBadFile;
    }

    const auto rendering = lock_rendering();
    const std::lock_guard state(state_mutex_);
    if (synth_ready_ && rendering_ == Rendering::Live && synth_ == nullptr) return kMusicBadFile;
    piece_bytes_ = std::move(*bytes);
    summary_ = *summary;
    path_ = path;
    if (rendering_ == Rendering::Live && synth_ready_ && !load_live_piece()) {
        piece_bytes_.clear();
        tell_unplayable(path, "the synthesizer refused it");
        return kMusicBadFile;
    }
    at_end_ = false;
    live_ticks_.ran_out = false;
    playing_ = false;
    alias_ = command.alias;
    if (rendering_ == Rendering::FromMemory && set_up_finished_) start_rendering();
    return kMusicOk;
}

void FluidMusicDevice::tell_once(const std::string& path, const std::string& message) {
    // The game asks again at every screen; once a run is enough to know.
    const std::lock_guard lock(told_mutex_);
    if (told_.insert(path).second) std::fprintf(stderr, "music: %s\n", message.c_str());
}

void FluidMusicDevice::tell_unplayable(const std::string& path, const char* why) {
    tell_once(path, "cannot play " + path + ": " + why + "; the game goes on without it");
}

void FluidMusicDevice::close_piece() {
    if (rendering_ == Rendering::Live) {
        close_live();
    } else {
        change_playback([this] {
            playback_.close();
            // Whatever the rendering had reached goes, and its synth with it. A piece that was to be
            // heard may hold both, which take a while to free: the renderer does it, so that neither
            // this command nor the sound waits for it.
            if (piece_ != nullptr && sink_ != Sink::Silent) {
                retired_.push_back(std::move(piece_));
                render_wanted_.notify_all();
            }
            piece_.reset();
            piece_bytes_.clear();
        });
    }
    alias_.clear();
}

void FluidMusicDevice::play_piece() {
    if (rendering_ == Rendering::Live) return play_live();
    change_playback([this] { playback_.play(); });
}

void FluidMusicDevice::stop_piece() {
    if (rendering_ == Rendering::Live) return stop_live();
    change_playback([this] { playback_.stop(); });
}

void FluidMusicDevice::rewind_piece() {
    if (rendering_ == Rendering::Live) return rewind_live();
    // Seeking stops the piece, as the game expects before it says "play".
    change_playback([this] { playback_.rewind(); });
}

bool FluidMusicDevice::piece_playing() {
    return rendering_ == Rendering::Live ? playing_.load() : memory_playing();
}

}  // namespace vr
