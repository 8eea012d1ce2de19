// Note lists: the human-readable source of the game's tunes, read into a Song and written out as a
// Standard MIDI File.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vr::music {

constexpr int kTicksPerQuarter = 480;

struct Note {
    int start = 0;     // tick
    int length = 0;    // ticks the key is held (gate applied)
    int pitch = 0;     // 0..127, 60 = C4
    int velocity = 0;  // 1..127
};

struct Track {
    std::string name;
    int channel = 0;   // 0..15 (written 1..16 in the note list; 10 is the drum kit)
    int program = 0;   // General MIDI program 0..127
    int volume = 100;  // controller 7
    int pan = 64;      // controller 10, 64 = centre
    int reverb = 40;   // controller 91
    std::vector<Note> notes;
    int bars = 0;
};

struct TempoChange {
    int tick = 0;
    int bpm = 0;  // quarter notes per minute
};

struct Song {
    int beats_per_bar = 4;
    int beat_unit = 4;
    std::vector<TempoChange> tempos;  // sorted by tick, the first at tick 0
    std::vector<Track> tracks;
    int total_ticks = 0;  // every track ends here, exactly on a bar line
    double seconds() const;
};

struct NoteListError {
    int line = 0;  // 1-based line of the note list
    std::string message;
};

struct ParsedSong {
    std::optional<Song> song;  // set on success
    NoteListError error;       // set on failure
};

ParsedSong parse_note_list(const std::string& text);

std::vector<uint8_t> write_midi(const Song& song);

}  // namespace vr::music
