// The synth's settings, its soundfont, the end of a player's piece, FluidSynth's log, and one block of
// stereo sound.
#include "platform/music/synth_setup.h"

#include <fluidsynth.h>

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>

#include "platform/music/sample_format.h"

namespace vr {

namespace {

// fluid's default 0.2 leaves our pieces near -20 dBFS; 0.5 keeps the loudest peak near -6 dBFS.
constexpr double kSynthGain = 0.5;
// Dry left/right plus reverb and chorus left/right, mixed into the same two buffers.
constexpr int kEffectBuffers = 4;

void on_fluid_log(int level, const char* message, void*) {
    static std::mutex log_mutex;
    static std::set<std::string> said;
    constexpr size_t kMaxRemembered = 64;
    const std::lock_guard lock(log_mutex);
    if (said.size() >= kMaxRemembered || !said.insert(message).second) return;
    std::fprintf(stderr, "music: fluidsynth %s: %s\n", level == FLUID_WARN ? "warning" : "error", message);
}

void on_quiet_log(int, const char*, void*) {}

}  // namespace

fluid_settings_t* new_music_settings() {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setnum(settings, "synth.gain", kSynthGain);
    // A large font then costs only the instruments our pieces play.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    return settings;
}

void delete_music_settings(fluid_settings_t* settings) {
    delete_fluid_settings(settings);
}

fluid_synth_t* new_music_synth(fluid_settings_t* settings, const std::vector<std::string>& soundfonts,
                               const std::atomic<bool>& quitting, std::string& loaded) {
    loaded.clear();
    if (quitting) return nullptr;
    fluid_synth_t* synth = new_fluid_synth(settings);
    for (const auto& soundfont : soundfonts) {
        std::error_code error;
        if (synth == nullptr || !loaded.empty() || quitting || !std::filesystem::exists(soundfont, error)) {
            continue;
        }
        // No presets yet: the player selects them at the start of each piece, so only its instruments load.
        if (fluid_synth_sfload(synth, soundfont.c_str(), 0) != FLUID_FAILED) loaded = soundfont;
    }
    return synth;
}

void render_stereo(fluid_synth_t* synth, int frames, float* left, float* right) {
    float* out[kStereo] = {left, right};
    float* effects[kEffectBuffers] = {left, right, left, right};
    fluid_synth_process(synth, frames, kEffectBuffers, effects, kStereo, out);
}

void watch_ticks(fluid_player_t* player, TickWatch& watch) {
    fluid_player_set_tick_callback(
        player,
        [](void* watched, int tick) {
            auto* self = static_cast<TickWatch*>(watched);
            if (tick >= self->total) self->ran_out = true;
            return static_cast<int>(FLUID_OK);
        },
        &watch);
}

void route_fluid_log(bool quiet) {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN}) {
        fluid_set_log_function(level, quiet ? on_quiet_log : on_fluid_log, nullptr);
    }
    fluid_set_log_function(FLUID_INFO, on_quiet_log, nullptr);
    fluid_set_log_function(FLUID_DBG, on_quiet_log, nullptr);
}

}  // namespace vr
