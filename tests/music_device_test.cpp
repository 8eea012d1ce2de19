// The music device: command parsing, MIDI checks, and a real (silent) device playing a short piece.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <tuple>

#include "note_list.h"
#include "platform/music/fluid_music_device.h"

namespace vr {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

// ---- parsing ----

struct GoodCommand {
    const char* rule;
    const char* text;
    MusicVerb verb;
    const char* alias;
    const char* path;  // Open only
};

TEST(MusicCommandParse, AcceptsTheGamesCommands) {
    const GoodCommand rows[] = {
        {"open with a game path and trailing blank", "open /opt/vr\\vr_data\\dice.mid alias bgmfile ",
         MusicVerb::Open, "bgmfile", "/opt/vr\\vr_data\\dice.mid"},
        {"quoted path keeps its blanks", "open \"/home/a b/vr_data/x.mid\" alias bgmfile", MusicVerb::Open,
         "bgmfile", "/home/a b/vr_data/x.mid"},
        {"unquoted path runs up to the last alias word", "open /home/a  b/alias x.mid alias bgmfile",
         MusicVerb::Open, "bgmfile", "/home/a  b/alias x.mid"},
        {"keywords and alias ignore case", "OPEN x.mid ALIAS BgmFile", MusicVerb::Open, "bgmfile", "x.mid"},
        {"open may ask to wait", "open x.mid alias bgmfile wait", MusicVerb::Open, "bgmfile", "x.mid"},
        {"stop with trailing blank", "stop bgmfile ", MusicVerb::Stop, "bgmfile", ""},
        {"close", "close bgmfile ", MusicVerb::Close, "bgmfile", ""},
        {"close and wait", "close bgmfile wait", MusicVerb::Close, "bgmfile", ""},
        {"status mode", "status bgmfile mode", MusicVerb::Status, "bgmfile", ""},
        {"seek to start", "seek bgmfile to start", MusicVerb::Seek, "bgmfile", ""},
        {"play and notify", "play bgmfile notify", MusicVerb::Play, "bgmfile", ""},
        {"wait and notify together, any case", "Play BGMFILE Notify WAIT", MusicVerb::Play, "bgmfile", ""},
        {"leading blanks and tabs", " \tstatus\tbgmfile  mode", MusicVerb::Status, "bgmfile", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        const auto command = parse_music_command(row.text);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(command->verb, row.verb);
        EXPECT_EQ(command->alias, row.alias);
        EXPECT_EQ(command->path, row.path);
    }
}

TEST(MusicCommandParse, RejectsGarbledCommands) {
    const std::pair<const char*, const char*> rows[] = {
        {"empty text", ""},
        {"blanks only", "   "},
        {"alias alone", "bgmfile"},
        {"verb without alias", "play"},
        {"unknown verb", "jump bgmfile"},
        {"extra word after play", "play bgmfile now"},
        {"seek elsewhere than start", "seek bgmfile to end"},
        {"seek without target", "seek bgmfile"},
        {"status without item", "status bgmfile"},
        {"status of another item", "status bgmfile position"},
        {"open without path", "open alias bgmfile"},
        {"open without alias", "open x.mid"},
        {"open with alias word but no name", "open x.mid alias"},
        {"unterminated quote", "open \"x.mid alias bgmfile"},
        {"text glued to a closing quote", "open \"a\"b alias bgmfile"},
        {"word between quoted path and alias", "open \"a b.mid\" extra alias bgmfile"},
        {"only flags after the verb", "close wait"},
        {"quoted verb", "\"play\" bgmfile"},
    };
    for (const auto& [rule, text] : rows) {
        EXPECT_FALSE(parse_music_command(text).has_value()) << rule << ": " << text;
    }
}

// ---- test pieces ----

// A C major arpeggio of three eighths at 300 quarters a minute: 0.3 s.
constexpr const char* kShortPiece =
    "tempo 300\nmeter 3/8\ntrack tune channel 1 program 0\n| C4/8 E4/8 G4/8\n";
constexpr double kShortPieceSeconds = 0.3;

std::vector<uint8_t> short_piece_bytes() {
    const auto parsed = music::parse_note_list(kShortPiece);
    EXPECT_TRUE(parsed.song.has_value()) << parsed.error.message;
    return parsed.song ? music::write_midi(*parsed.song) : std::vector<uint8_t>{};
}

void write_bytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ---- MIDI checks ----

TEST(MidiInspection, MeasuresAGoodFileInTicks) {
    const auto parsed = music::parse_note_list(kShortPiece);
    ASSERT_TRUE(parsed.song.has_value());
    const auto summary = inspect_midi(music::write_midi(*parsed.song));
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->total_ticks, parsed.song->total_ticks);
}

TEST(MidiInspection, RejectsDamagedFiles) {
    const std::vector<uint8_t> good = short_piece_bytes();
    constexpr size_t kTrackCountAt = 10, kFormatAt = 9, kHeaderBytes = 14;
    constexpr size_t kFirstTrackLengthAt = kHeaderBytes + 7;  // low byte of the first MTrk length
    const auto changed = [&](size_t at, uint8_t value) {
        auto bytes = good;
        bytes.at(at) = value;
        return bytes;
    };
    const auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    // The last track's final event is its end-of-track meta (FF 2F 00); drop its length byte.
    auto meta_without_length = cut(good.size() - 1);
    const std::pair<const char*, std::vector<uint8_t>> rows[] = {
        {"empty file", {}},
        {"text instead of MIDI", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'}},
        {"header only", cut(kHeaderBytes)},
        {"header cut short", cut(kHeaderBytes - 2)},
        {"more tracks announced than present", changed(kTrackCountAt + 1, good[kTrackCountAt + 1] + 1)},
        {"no tracks announced", changed(kTrackCountAt + 1, 0)},
        {"format 2 patterns", changed(kFormatAt, 2)},
        {"track chunk longer than the file", changed(kFirstTrackLengthAt, 0xFF)},
        {"last event cut off", meta_without_length},
        {"file cut in the middle of a track", cut(good.size() / 2)},
    };
    for (const auto& [rule, bytes] : rows) {
        EXPECT_FALSE(inspect_midi(bytes).has_value()) << rule;
    }
}

// One format-0 file around the given track events.
std::vector<uint8_t> one_track_file(const std::vector<uint8_t>& events) {
    const uint8_t header[] = {'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                              1,   1,   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0};
    std::vector<uint8_t> bytes(std::begin(header), std::end(header));
    bytes.push_back(static_cast<uint8_t>(events.size()));
    for (uint8_t byte : events) bytes.push_back(byte);
    return bytes;
}

TEST(MidiInspection, RunningStatusOnlyFollowsAChannelEvent) {
    const struct {
        const char* rule;
        std::vector<uint8_t> events;  // each starts with its delta time
        bool accepted;
    } rows[] = {
        {"a note then one in running status", {0, 0x90, 60, 100, 0, 62, 100, 0, 0xFF, 0x2F, 0}, true},
        {"no status before the first data byte", {0, 60, 100, 0, 0xFF, 0x2F, 0}, false},
        {"running status across a meta event",
         {0, 0x90, 60, 100, 0, 0xFF, 1, 0, 0, 62, 100, 0, 0xFF, 0x2F, 0},
         false},
        {"running status across a sysex event",
         {0, 0x90, 60, 100, 0, 0xF0, 1, 0xF7, 0, 62, 100, 0, 0xFF, 0x2F, 0},
         false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(inspect_midi(one_track_file(row.events)).has_value(), row.accepted) << row.rule;
}

// ---- the device ----

class MusicDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vr_music_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        piece_ = (dir_ / "short.mid").string();
        write_bytes(piece_, short_piece_bytes());
        // These tests time a ready device; a busy machine may take its time setting one up.
        device_.wait_until_set_up();
    }
    void TearDown() override { fs::remove_all(dir_); }

    int send(const std::string& command) { return device->send_command(command, nullptr); }
    std::string status() {
        std::string reply = "untouched";
        EXPECT_EQ(device->send_command("status bgmfile mode", &reply), kMusicOk);
        return reply;
    }
    // Polls the way the game's one-second timer does, only faster.
    bool becomes_stopped_within(milliseconds limit) {
        const auto deadline = steady_clock::now() + limit;
        while (steady_clock::now() < deadline) {
            if (status() == "stopped") return true;
            std::this_thread::sleep_for(milliseconds(10));
        }
        return false;
    }
    std::string open_command() const { return "open " + piece_ + " alias bgmfile "; }

    static constexpr milliseconds kPatience{3000};
    fs::path dir_;
    std::string piece_;
    FluidMusicDevice device_{FluidMusicDevice::Output::Silent};
    FluidMusicDevice* device = &device_;  // the one the helpers talk to
};

// A device whose set-up is held until the test releases it, as the game holds it until its title
// has painted; far longer than any test waits.
struct HeldDevice {
    static constexpr milliseconds kHold{60000};
    explicit HeldDevice(FluidMusicDevice::Output output = FluidMusicDevice::Output::Silent,
                        std::vector<std::string> soundfonts = system_soundfonts())
        : device(std::make_unique<FluidMusicDevice>(output, std::move(soundfonts), kHold)) {}
    void release() { device->release_set_up(); }
    std::unique_ptr<FluidMusicDevice> device;
};

TEST_F(MusicDeviceTest, NamesTheSoundfontFileItPlaysWithOrNoneWhenItFoundNone) {
    std::string expected;
    for (const std::string& font : system_soundfonts()) {
        std::error_code error;
        if (expected.empty() && fs::exists(font, error)) expected = fs::canonical(font).string();
    }
    EXPECT_EQ(device_.soundfont_file(), expected) << "the file itself, not the link that chose it";
    ::testing::internal::CaptureStderr();
    FluidMusicDevice without(FluidMusicDevice::Output::Silent, {(dir_ / "no_such_font.sf2").string()});
    without.wait_until_set_up();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(without.soundfont_file(), "");
}

TEST_F(MusicDeviceTest, OpenedPieceWaitsStoppedUntilPlayed) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    EXPECT_TRUE(device_.plays_silently());
    EXPECT_EQ(status(), "stopped");
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(status(), "stopped");
}

TEST_F(MusicDeviceTest, PlaysForItsLengthThenReportsStopped) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    const auto start = steady_clock::now();
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    EXPECT_EQ(status(), "playing");
    ASSERT_TRUE(becomes_stopped_within(kPatience));
    const double seconds = std::chrono::duration<double>(steady_clock::now() - start).count();
    // Paced by the sample clock: neither early nor seconds late like fluid's own "done".
    constexpr double kSlack = 0.25;
    EXPECT_GT(seconds, kShortPieceSeconds * 0.9);
    EXPECT_LT(seconds, kShortPieceSeconds + kSlack);
}

TEST_F(MusicDeviceTest, SeekAndPlayAfterTheEndPlaysItAgain) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(send("seek bgmfile to start"), kMusicOk);
        ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
        EXPECT_EQ(status(), "playing");
        std::this_thread::sleep_for(milliseconds(100));
        EXPECT_EQ(status(), "playing") << "restarted from the start, not from the end";
        ASSERT_TRUE(becomes_stopped_within(kPatience));
    }
}

TEST_F(MusicDeviceTest, StopHaltsAndSeekRewinds) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    ASSERT_EQ(send("stop bgmfile "), kMusicOk);
    EXPECT_EQ(status(), "stopped");
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(status(), "stopped");
    ASSERT_EQ(send("seek bgmfile to start"), kMusicOk);
    EXPECT_EQ(status(), "stopped") << "seeking does not start the piece";
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    EXPECT_EQ(status(), "playing");
    EXPECT_TRUE(becomes_stopped_within(kPatience));
}

TEST_F(MusicDeviceTest, CloseWhilePlayingThenOpenAgain) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    EXPECT_EQ(send("close bgmfile wait"), kMusicOk);
    std::string reply = "untouched";
    EXPECT_NE(device_.send_command("status bgmfile mode", &reply), kMusicOk);
    EXPECT_EQ(reply, "untouched");
    ASSERT_EQ(send(open_command()), kMusicOk);
    EXPECT_EQ(status(), "stopped");
}

TEST_F(MusicDeviceTest, DestroyedWhilePlaying) {
    auto device = std::make_unique<FluidMusicDevice>(FluidMusicDevice::Output::Silent);
    device->wait_until_set_up();
    ASSERT_EQ(device->send_command(open_command(), nullptr), kMusicOk);
    ASSERT_EQ(device->send_command("play bgmfile", nullptr), kMusicOk);
    device.reset();  // must neither crash nor hang
}

TEST_F(MusicDeviceTest, GameStylePathWithBackslashes) {
    const std::string game_path = dir_.string() + "\\short.mid";
    EXPECT_EQ(send("open " + game_path + " alias bgmfile "), kMusicOk);
}

TEST_F(MusicDeviceTest, QuotedPathWithBlanks) {
    const fs::path spaced = dir_ / "my music" / "short piece.mid";
    fs::create_directories(spaced.parent_path());
    fs::copy_file(piece_, spaced);
    ASSERT_EQ(send("open \"" + spaced.string() + "\" alias bgmfile"), kMusicOk);
    ASSERT_EQ(send("play bgmfile"), kMusicOk);
    EXPECT_EQ(status(), "playing");
}

TEST_F(MusicDeviceTest, BadOpensLeaveTheDeviceClosedAndAreNamedOnceOnStderr) {
    write_bytes(dir_ / "corrupt.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 1, 0xE0, 'M', 'T'});
    write_bytes(dir_ / "empty.mid", {});
    fs::create_directories(dir_ / "folder.mid");
    struct Row {
        const char* rule;
        std::string path;
        int error;
        std::string told;  // the line on stderr
    };
    const Row rows[] = {
        {"missing file", (dir_ / "nothing.mid").string(), kMusicFileMissing, "nothing.mid: no such file"},
        {"missing game path", "vr_data\\no_such_piece.mid", kMusicFileMissing,
         "vr_data/no_such_piece.mid: no such file"},
        {"a directory", (dir_ / "folder.mid").string(), kMusicFileMissing, "folder.mid: no such file"},
        {"corrupt file", (dir_ / "corrupt.mid").string(), kMusicBadFile,
         "corrupt.mid: not a valid MIDI file"},
        {"empty file", (dir_ / "empty.mid").string(), kMusicBadFile, "empty.mid: not a valid MIDI file"},
    };
    ::testing::internal::CaptureStderr();
    // The game opens its piece again at every screen; the player hears of each file once.
    for (int round = 0; round < 3; ++round) {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.rule);
            EXPECT_EQ(send("open " + row.path + " alias bgmfile"), row.error);
            std::string reply = "untouched";
            EXPECT_NE(device_.send_command("status bgmfile mode", &reply), kMusicOk);
            EXPECT_EQ(reply, "untouched");
            EXPECT_NE(send("play bgmfile"), kMusicOk);
        }
    }
    const std::string told = ::testing::internal::GetCapturedStderr();
    for (const auto& row : rows) {
        const size_t at = told.find(row.told);
        EXPECT_NE(at, std::string::npos) << row.rule << " in:\n" << told;
        EXPECT_EQ(told.find(row.told, at + 1), std::string::npos) << row.rule << " said twice:\n" << told;
    }
}

// ---- before the synth is ready ----

TEST_F(MusicDeviceTest, CommandsBeforeTheSynthIsReadyAnswerAsOnAReadyDeviceAndThePieceStartsWhenItIs) {
    HeldDevice held;
    device = held.device.get();
    const std::pair<std::string, int> steps[] = {
        {"status bgmfile mode", kMusicUnknownAlias},
        {open_command(), kMusicOk},
        {"open x.mid alias bgmfile", kMusicAlreadyOpen},
        {"play bgmfile notify", kMusicOk},
        {"stop bgmfile ", kMusicOk},
        {"close bgmfile wait", kMusicOk},
        {"play bgmfile", kMusicUnknownAlias},
        {open_command(), kMusicOk},
        {"seek bgmfile to start", kMusicOk},
    };
    for (const auto& [command, error] : steps) EXPECT_EQ(send(command), error) << command;
    EXPECT_EQ(status(), "stopped");
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    EXPECT_EQ(status(), "playing");
    // Longer than the piece: it cannot have run without a synth, so it still plays.
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(status(), "playing");

    held.release();
    held.device->wait_until_set_up();
    const auto ready = steady_clock::now();
    ASSERT_TRUE(becomes_stopped_within(kPatience)) << "the piece never started once the synth was ready";
    const double seconds = std::chrono::duration<double>(steady_clock::now() - ready).count();
    EXPECT_GT(seconds, kShortPieceSeconds * 0.9) << "it played from the top once the synth was ready";
    EXPECT_TRUE(held.device->plays_silently());
}

TEST_F(MusicDeviceTest, DestroyedDuringSetUpEndsWithoutFinishingIt) {
    // No soundfont and the real outputs: a finished set-up would say so on stderr.
    HeldDevice held(FluidMusicDevice::Output::Speakers, {(dir_ / "no_such_font.sf2").string()});
    device = held.device.get();
    ASSERT_EQ(send(open_command()), kMusicOk);
    ASSERT_EQ(send("play bgmfile"), kMusicOk);
    ::testing::internal::CaptureStderr();
    const auto closed = steady_clock::now();
    held.device.reset();  // the window closes while the set-up is held back
    EXPECT_LT(std::chrono::duration<double>(steady_clock::now() - closed).count(), 1.0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "the set-up went on after the window closed";
}

TEST_F(MusicDeviceTest, AHoldNobodyReleasesEndsOnItsOwn) {
    constexpr milliseconds kHold{200};
    FluidMusicDevice held(FluidMusicDevice::Output::Silent, system_soundfonts(), kHold);
    const auto made = steady_clock::now();
    held.wait_until_set_up();
    EXPECT_GE(steady_clock::now() - made, kHold - milliseconds(20))
        << "the set-up began before its hold ended";
}

TEST_F(MusicDeviceTest, WrongCommandsChangeNothing) {
    ASSERT_EQ(send(open_command()), kMusicOk);
    ASSERT_EQ(send("play bgmfile"), kMusicOk);
    const std::pair<const char*, int> rows[] = {
        {"stop othermusic", kMusicUnknownAlias},          {"close othermusic", kMusicUnknownAlias},
        {"seek othermusic to start", kMusicUnknownAlias}, {"status othermusic mode", kMusicUnknownAlias},
        {"stop bgmfile now", kMusicBadCommand},           {"halt bgmfile", kMusicBadCommand},
        {"open x.mid alias bgmfile", kMusicAlreadyOpen},
    };
    for (const auto& [command, error] : rows) {
        std::string reply = "untouched";
        EXPECT_EQ(device_.send_command(command, &reply), error) << command;
        EXPECT_EQ(reply, "untouched") << command;
        EXPECT_EQ(status(), "playing") << command << " must not touch the playing piece";
    }
}

TEST_F(MusicDeviceTest, CommandsBeforeAnyOpenFail) {
    for (const char* command :
         {"stop bgmfile ", "close bgmfile ", "play bgmfile notify", "seek bgmfile to start"}) {
        EXPECT_EQ(send(command), kMusicUnknownAlias) << command;
    }
}

}  // namespace
}  // namespace vr
