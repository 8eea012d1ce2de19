// What the music device checks in a MIDI file before playing it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vr {

// ---- MIDI files: checked before FluidSynth ever sees them ----

// What open needs to know of a Standard MIDI File: its length in ticks (the longest track) and in
// seconds by its tempo changes, as FluidSynth's player times it.
struct MidiSummary {
    int total_ticks = 0;
    double seconds = 0;
};

// Checks the header and every chunk and event against the file's length; nullopt when the bytes
// are not a MIDI file FluidSynth can play safely.
std::optional<MidiSummary> inspect_midi(const std::vector<uint8_t>& bytes);

}  // namespace vr
