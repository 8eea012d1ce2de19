// The synth as every part of the music device makes and drives it: its settings, its soundfont, the
// end of a player's piece, FluidSynth's log, and one block of stereo sound.
#pragma once

#include <atomic>
#include <string>
#include <vector>

// FluidSynth's handles, so that code including this header does not see FluidSynth.
using fluid_settings_t = struct _fluid_hashtable_t;
using fluid_synth_t = struct _fluid_synth_t;
using fluid_player_t = struct _fluid_player_t;

namespace vr {

// The settings every synth and sound driver of the device is made with.
fluid_settings_t* new_music_settings();
void delete_music_settings(fluid_settings_t* settings);

// A synth with the first soundfont that loads, trying them in order; null only when FluidSynth
// cannot make one. `loaded` tells which soundfont it got (empty: none, and the music is silent).
// Gives up between steps once `quitting` is set.
fluid_synth_t* new_music_synth(fluid_settings_t* settings, const std::vector<std::string>& soundfonts,
                               const std::atomic<bool>& quitting, std::string& loaded);

// Renders `frames` of the synth into `left` and `right`, its reverb and chorus mixed in, adding to
// what the buffers hold.
void render_stereo(fluid_synth_t* synth, int frames, float* left, float* right);

// Where a player's piece ends: when its ticks reach the piece's length, not at fluid's own "done",
// which comes seconds after the last note. Set by the player's tick callback, inside the rendering.
struct TickWatch {
    int total = 0;  // the piece's length in ticks
    std::atomic<bool> ran_out{false};
};
// Has `player` set `watch.ran_out` once its ticks run out.
void watch_ticks(fluid_player_t* player, TickWatch& watch);

// FluidSynth's log: errors and warnings once each on stderr, or nothing while `quiet`.
void route_fluid_log(bool quiet);

}  // namespace vr
