// The game's tunes: note lists read correctly, bad ones are reported by line, and every committed
// MIDI file is exactly what its note list makes today.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "note_list.h"
#include "platform/music/fluid_music_device.h"

namespace vr::music {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = BERORAN_SOURCE_DIR;
constexpr int kQuarter = kTicksPerQuarter;

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Song parse_ok(const std::string& text) {
    const auto parsed = parse_note_list(text);
    EXPECT_TRUE(parsed.song.has_value()) << "line " << parsed.error.line << ": " << parsed.error.message;
    return parsed.song.value_or(Song{});
}

// ---- the committed pieces ----

struct Piece {
    const char* rule;
    const char* name;
    double min_seconds;
    double max_seconds;
};

const Piece kPieces[] = {
    {"dice loops under play for about a minute", "dice", 50, 75},
    {"nextmap is a short stage-clear tune", "nextmap", 15, 25},
    {"gameover is brief", "gameover", 10, 15},
    {"clear is the longer festive finale", "clear", 30, 40},
};

TEST(MusicPieces, CommittedFilesMatchTheirNoteLists) {
    const fs::path out_dir = fs::temp_directory_path() / ("vr_music_pieces_" + std::to_string(::getpid()));
    fs::create_directories(out_dir);
    for (const auto& piece : kPieces) {
        SCOPED_TRACE(piece.rule);
        const fs::path source = kSourceDir / "assets" / "music" / (std::string(piece.name) + ".notes");
        ASSERT_TRUE(fs::exists(source)) << source;
        const Song song = parse_ok(read_text(source));
        const auto bytes = write_midi(song);
        const fs::path regenerated = out_dir / (std::string(piece.name) + ".mid");
        std::ofstream(regenerated, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(read_text(regenerated),
                  read_text(kSourceDir / "vr_data" / (std::string(piece.name) + ".mid")))
            << "vr_data/" << piece.name << ".mid is stale: run make_music assets/music vr_data";
        EXPECT_GE(song.seconds(), piece.min_seconds);
        EXPECT_LE(song.seconds(), piece.max_seconds);
        // The device must accept it, and must see it end on the song's last bar line.
        const auto summary = inspect_midi(bytes);
        ASSERT_TRUE(summary.has_value());
        EXPECT_EQ(summary->total_ticks, song.total_ticks);
        EXPECT_EQ(song.total_ticks % (song.beats_per_bar * kQuarter * 4 / song.beat_unit), 0);
    }
    fs::remove_all(out_dir);
}

// ---- reading note lists ----

TEST(NoteList, ReadsNotesChordsRestsAndRepeats) {
    const Song song = parse_ok(
        "tempo 90\n"
        "meter 3/4\n"
        "track lead channel 2 program 73 velocity 80 gate 50 transpose 12\n"
        "| C4/4 r/8 >E4/8 G4+C5/4!100   # comment\n"
        "repeat 2\n"
        "| A3/2. \n"
        "end\n"
        "| Bb3/8t Bb3/8t Bb3/8t C#4/4. F4/8 *2\n"
        "tempo 60 bar 3\n");
    ASSERT_EQ(song.tracks.size(), 1U);
    const Track& lead = song.tracks[0];
    constexpr int kBar = 3 * kQuarter;
    EXPECT_EQ(lead.channel, 1) << "channels are written 1..16";
    EXPECT_EQ(lead.program, 73);
    EXPECT_EQ(lead.bars, 5) << "one bar, a repeated bar twice, a bar marked *2";
    EXPECT_EQ(song.total_ticks, 5 * kBar);
    ASSERT_EQ(lead.notes.size(), 4U + 2U + 2 * 5U);
    const struct {
        const char* rule;
        size_t index;
        Note expected;
    } rows[] = {
        {"first note transposed up an octave, half gate", 0, {0, kQuarter / 2, 72, 80}},
        {"accent after a rest", 1, {kQuarter + kQuarter / 2, kQuarter / 4, 76, 100}},
        {"chord notes share a start and a set velocity", 2, {2 * kQuarter, kQuarter / 2, 79, 100}},
        {"chord's upper note", 3, {2 * kQuarter, kQuarter / 2, 84, 100}},
        {"dotted half fills the repeated bar", 4, {kBar, 3 * kQuarter / 2, 69, 80}},
        {"repeat block plays again", 5, {2 * kBar, 3 * kQuarter / 2, 69, 80}},
        {"triplet eighths take a third of a quarter", 7, {3 * kBar + kQuarter / 3, kQuarter / 6, 70, 80}},
        {"sharp after triplets", 9, {3 * kBar + kQuarter, 3 * kQuarter / 4, 73, 80}},
        {"bar marked *2 comes again", 11, {4 * kBar, kQuarter / 6, 70, 80}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        const Note& note = lead.notes.at(row.index);
        EXPECT_EQ(note.start, row.expected.start);
        EXPECT_EQ(note.length, row.expected.length);
        EXPECT_EQ(note.pitch, row.expected.pitch);
        EXPECT_EQ(note.velocity, row.expected.velocity);
    }
    ASSERT_EQ(song.tempos.size(), 2U);
    EXPECT_EQ(song.tempos[1].tick, 2 * kBar);
    // Two bars at 90 then three at 60 beats a minute.
    EXPECT_DOUBLE_EQ(song.seconds(), 6 * 60.0 / 90 + 9 * 60.0 / 60);
}

TEST(NoteList, ReportsMistakesWithTheirLine) {
    const struct {
        const char* rule;
        const char* text;
        int line;
        const char* says;
    } rows[] = {
        {"bar shorter than the meter", "track a\n| C4/4 D4/4\n| C4/1\n", 2, "lasts 960"},
        {"bar longer than the meter", "meter 3/4\ntrack a\n| C4/4 D4/4 E4/4\n| C4/2 D4/2\n", 4, "lasts 1920"},
        {"unknown note name", "track a\n\n| H4/4 C4/2.\n", 3, "'H4/4' is not a note"},
        {"duration that is no power of two", "track a\n| C4/3 C4/2.\n", 2, "'C4/3'"},
        {"note without duration", "track a\n| C4 C4/2.\n", 2, "'C4'"},
        {"pitch above the MIDI range", "track a\n| G10/1\n", 2, "'G10/1'"},
        {"bar before any track", "tempo 100\n| C4/1\n", 2, "before the first track"},
        {"unknown keyword", "track a\n| C4/1\nvolume 3\n", 3, "unknown keyword 'volume'"},
        {"unknown track setting", "track a colour 3\n| C4/1\n", 1, "unknown track setting 'colour'"},
        {"channel out of range", "track a channel 17\n| C4/1\n", 1, "channel must be 1..16"},
        {"tempo out of range", "tempo 5\ntrack a\n| C4/1\n", 1, "tempo must be"},
        {"repeat never ended", "track a\nrepeat 2\n| C4/1\ntrack b\n| C4/1\n", 4, "'repeat' without 'end'"},
        {"end without repeat", "track a\n| C4/1\nend\n", 3, "'end' without 'repeat'"},
        {"nested repeat", "track a\nrepeat 2\nrepeat 2\n", 3, "do not nest"},
        {"tracks of different lengths", "track a\n| C4/1\n| C4/1\ntrack b\n| C4/1\n", 4, "has 1 bars"},
        {"tempo change after the last bar", "tempo 90 bar 3\ntrack a\n| C4/1\n", 4, "after the last bar"},
        {"meter after a track", "track a\nmeter 3/4\n", 2, "meter comes before"},
        {"no tracks at all", "tempo 100\n", 2, "no tracks"},
        {"bad velocity", "track a\n| C4/1!0\n", 2, "'C4/1!0'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        const auto parsed = parse_note_list(row.text);
        EXPECT_FALSE(parsed.song.has_value());
        EXPECT_EQ(parsed.error.line, row.line);
        EXPECT_NE(parsed.error.message.find(row.says), std::string::npos) << parsed.error.message;
    }
}

TEST(NoteList, WrittenFileEndsEveryTrackOnTheLastBarLine) {
    // The piece ends on a half note held through the bar; the file must still end at the bar line,
    // not where the key is released or earlier.
    const Song song =
        parse_ok("tempo 120\ntrack a gate 100\n| C4/2 E4/2\ntrack b channel 10\n| kick/4 r/2.\n");
    const auto summary = inspect_midi(write_midi(song));
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->total_ticks, 4 * kQuarter);
}

}  // namespace
}  // namespace vr::music
