// The music device: command strings taken apart, MIDI files checked, and the pieces played through
// one FluidSynth synth on the sound driver's thread or, with no sound output, on our own.
#include "platform/fluid_music_device.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "platform/paths.h"

namespace vr {

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr double kSampleRate = 44100.0;
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

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// ---- command words ----

struct Word {
    std::string text;  // quotes removed
    size_t begin = 0;  // offsets in the command, quotes included
    size_t end = 0;
    bool quoted = false;
};

std::optional<std::vector<Word>> split_words(const std::string& text) {
    std::vector<Word> words;
    size_t at = 0;
    while (true) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        if (at == text.size()) return words;
        Word word;
        word.begin = at;
        if (text[at] == '"') {
            const size_t close = text.find('"', at + 1);
            if (close == std::string::npos) return std::nullopt;
            word.text = text.substr(at + 1, close - at - 1);
            word.quoted = true;
            at = close + 1;
            // "a"b is garbled, not two words.
            if (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) return std::nullopt;
        } else {
            while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
            word.text = text.substr(word.begin, at - word.begin);
        }
        word.end = at;
        words.push_back(word);
    }
}

bool is_keyword(const Word& word, const char* keyword) {
    return !word.quoted && lower(word.text) == keyword;
}

// "wait" and "notify" only ask for a blocking call or a completion message; neither changes what we do.
size_t drop_trailing_flags(const std::vector<Word>& words) {
    size_t count = words.size();
    while (count > 0 && (is_keyword(words[count - 1], "wait") || is_keyword(words[count - 1], "notify"))) {
        --count;
    }
    return count;
}

std::optional<MusicCommand> parse_open(const std::string& text, const std::vector<Word>& words,
                                       size_t count) {
    // open <path> alias <name>: the path runs up to the last "alias", so blanks in an unquoted
    // program directory still work.
    if (count < 4 || !is_keyword(words[count - 2], "alias")) return std::nullopt;
    const size_t alias_at = count - 2;
    if (words[1].quoted && alias_at != 2) return std::nullopt;
    MusicCommand command;
    command.verb = MusicVerb::Open;
    command.alias = lower(words[count - 1].text);
    command.path = words[1].quoted ? words[1].text
                                   : text.substr(words[1].begin, words[alias_at - 1].end - words[1].begin);
    if (command.path.empty() || command.alias.empty()) return std::nullopt;
    return command;
}

// ---- MIDI checks ----

class ByteReader {
public:
    ByteReader(const std::vector<uint8_t>& bytes, size_t begin, size_t end)
        : bytes_(bytes), at_(begin), end_(end) {}
    bool done() const { return at_ >= end_; }
    std::optional<uint32_t> take(size_t count) {
        if (end_ - at_ < count) return std::nullopt;
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) value = (value << 8) | bytes_[at_++];
        return value;
    }
    bool skip(uint32_t count) {
        if (end_ - at_ < count) return false;
        at_ += count;
        return true;
    }
    std::optional<uint32_t> take_variable() {
        constexpr int kMaxVariableBytes = 4;
        uint32_t value = 0;
        for (int i = 0; i < kMaxVariableBytes; ++i) {
            const auto byte = take(1);
            if (!byte) return std::nullopt;
            value = (value << 7) | (*byte & 0x7F);
            if ((*byte & 0x80) == 0) return value;
        }
        return std::nullopt;
    }
    size_t position() const { return at_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_;
    size_t end_;
};

// Walks one track's events; returns its length in ticks.
std::optional<uint64_t> track_ticks(ByteReader reader) {
    constexpr uint32_t kMeta = 0xFF, kSysex = 0xF0, kSysexEscape = 0xF7, kStatusBit = 0x80;
    constexpr uint32_t kProgramChange = 0xC0, kChannelPressure = 0xD0, kTypeMask = 0xF0;
    uint64_t ticks = 0;
    uint32_t running_status = 0;
    while (!reader.done()) {
        const auto delta = reader.take_variable();
        const auto first = reader.take(1);
        if (!delta || !first) return std::nullopt;
        ticks += *delta;
        uint32_t status = *first;
        if (status == kMeta) {
            const auto type = reader.take(1);
            const auto length = reader.take_variable();
            if (!type || !length || !reader.skip(*length)) return std::nullopt;
            continue;
        }
        if (status == kSysex || status == kSysexEscape) {
            const auto length = reader.take_variable();
            if (!length || !reader.skip(*length)) return std::nullopt;
            continue;
        }
        size_t data_bytes_left = 2;
        if ((status & kStatusBit) == 0) {
            if (running_status == 0) return std::nullopt;
            status = running_status;
            --data_bytes_left;  // the byte just read was the first data byte
        } else if (status > kSysex) {
            return std::nullopt;  // system messages have no place in a file
        }
        running_status = status;
        const uint32_t type = status & kTypeMask;
        if (type == kProgramChange || type == kChannelPressure) --data_bytes_left;
        for (size_t i = 0; i < data_bytes_left; ++i) {
            const auto data = reader.take(1);
            if (!data || (*data & kStatusBit) != 0) return std::nullopt;
        }
    }
    return ticks;
}

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

std::string find_piece(const std::string& game_path) {
    std::string path = game_path;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
    return resolve_data_path(game_path);
}

}  // namespace

std::optional<MusicCommand> parse_music_command(const std::string& text) {
    const auto words = split_words(text);
    if (!words || words->size() < 2) return std::nullopt;
    const size_t count = drop_trailing_flags(*words);
    if (count < 2) return std::nullopt;
    const std::string verb = (*words)[0].quoted ? "" : lower((*words)[0].text);
    if (verb == "open") return parse_open(text, *words, count);

    MusicCommand command;
    command.alias = lower((*words)[1].text);
    const auto tail_is = [&](std::initializer_list<const char*> tail) {
        if (count != 2 + tail.size()) return false;
        size_t i = 2;
        for (const char* keyword : tail) {
            if (!is_keyword((*words)[i++], keyword)) return false;
        }
        return true;
    };
    if (verb == "close" && tail_is({})) {
        command.verb = MusicVerb::Close;
    } else if (verb == "play" && tail_is({})) {
        command.verb = MusicVerb::Play;
    } else if (verb == "stop" && tail_is({})) {
        command.verb = MusicVerb::Stop;
    } else if (verb == "seek" && tail_is({"to", "start"})) {
        command.verb = MusicVerb::Seek;
    } else if (verb == "status" && tail_is({"mode"})) {
        command.verb = MusicVerb::Status;
    } else {
        return std::nullopt;
    }
    return command;
}

std::optional<MidiSummary> inspect_midi(const std::vector<uint8_t>& bytes) {
    constexpr uint32_t kHeaderId = 0x4D546864;  // "MThd"
    constexpr uint32_t kTrackId = 0x4D54726B;   // "MTrk"
    constexpr uint32_t kMinHeaderLength = 6;
    constexpr uint32_t kMaxFormat = 1;  // format 2 (independent patterns) never loops as one piece
    ByteReader file(bytes, 0, bytes.size());
    const auto id = file.take(4);
    const auto header_length = file.take(4);
    if (id != kHeaderId || !header_length || *header_length < kMinHeaderLength) return std::nullopt;
    const auto format = file.take(2);
    const auto track_count = file.take(2);
    const auto division = file.take(2);
    if (!format || *format > kMaxFormat || !track_count || *track_count == 0 || !division || *division == 0 ||
        !file.skip(*header_length - kMinHeaderLength)) {
        return std::nullopt;
    }
    MidiSummary summary;
    uint32_t tracks_seen = 0;
    while (!file.done()) {
        const auto chunk_id = file.take(4);
        const auto length = file.take(4);
        if (!chunk_id || !length) return std::nullopt;
        const size_t begin = file.position();
        if (!file.skip(*length)) return std::nullopt;
        if (*chunk_id != kTrackId) continue;  // unknown chunks are allowed and ignored
        const auto ticks = track_ticks(ByteReader(bytes, begin, begin + *length));
        if (!ticks || *ticks > static_cast<uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
        summary.total_ticks = std::max(summary.total_ticks, static_cast<int>(*ticks));
        ++tracks_seen;
    }
    if (tracks_seen < *track_count) return std::nullopt;
    return summary;
}

// ---- the device ----

FluidMusicDevice::FluidMusicDevice(Output output) {
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(settings_, "audio.period-size", kPeriodFrames);
    fluid_settings_setnum(settings_, "synth.gain", kSynthGain);
    route_fluid_log(false);
    synth_ = new_fluid_synth(settings_);
    // Without the soundfont the pieces still run their course, just inaudibly.
    if (synth_ != nullptr && fluid_synth_sfload(synth_, kSoundFont, 1) == FLUID_FAILED) {
        std::fprintf(stderr, "music: cannot load %s; music stays silent\n", kSoundFont);
    }
    start_output(output);
}

FluidMusicDevice::~FluidMusicDevice() {
    // The audio thread goes first, so nothing renders while the player and synth are taken down.
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    quitting_ = true;
    if (silent_thread_.joinable()) silent_thread_.join();
    if (player_ != nullptr) delete_fluid_player(player_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void FluidMusicDevice::start_output(Output output) {
    if (synth_ == nullptr) return;
    if (output == Output::Speakers) {
        // A missing sound server is expected on CI and remote sessions: say it once, our way.
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
        if (driver_ != nullptr) return;
        std::fprintf(stderr, "music: no sound output found; the music plays silently\n");
    }
    // Unheard effects are wasted work; the pieces keep their timing without them.
    constexpr int kAllEffectGroups = -1;
    fluid_synth_reverb_on(synth_, kAllEffectGroups, 0);
    fluid_synth_chorus_on(synth_, kAllEffectGroups, 0);
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
    if (!std::filesystem::is_regular_file(path, error)) return kMusicFileMissing;
    const auto bytes = read_file(path);
    const auto summary = bytes ? inspect_midi(*bytes) : std::nullopt;
    if (!summary || synth_ == nullptr) return kMusicBadFile;

    const std::lock_guard lock(render_mutex_);
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return kMusicBadFile;
    if (fluid_player_add_mem(player_, bytes->data(), bytes->size()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
        return kMusicBadFile;
    }
    fluid_player_set_tick_callback(player_, on_player_tick, this);
    total_ticks_ = summary->total_ticks;
    at_end_ = false;
    end_reached_ = false;
    playing_ = false;
    alias_ = command.alias;
    return kMusicOk;
}

void FluidMusicDevice::close_piece() {
    const std::lock_guard lock(render_mutex_);
    delete_fluid_player(player_);
    player_ = nullptr;
    // The player leaves its notes to the synth; a closed piece must fall silent now.
    fluid_synth_all_sounds_off(synth_, -1);
    alias_.clear();
    playing_ = false;
    end_reached_ = false;
}

void FluidMusicDevice::play_piece() {
    const std::lock_guard lock(render_mutex_);
    if (playing_) return;
    // A piece that has run out plays again from the top, as after a seek.
    if (at_end_) fluid_player_seek(player_, 0);
    at_end_ = false;
    end_reached_ = false;
    fluid_player_play(player_);
    playing_ = true;
}

void FluidMusicDevice::stop_piece() {
    const std::lock_guard lock(render_mutex_);
    if (playing_) fluid_player_stop(player_);
    playing_ = false;
    end_reached_ = false;
}

void FluidMusicDevice::rewind_piece() {
    const std::lock_guard lock(render_mutex_);
    // Seeking stops the piece, as the game expects before it says "play".
    if (playing_) fluid_player_stop(player_);
    fluid_player_seek(player_, 0);
    playing_ = false;
    at_end_ = false;
    end_reached_ = false;
}

}  // namespace vr
