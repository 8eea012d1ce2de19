// The music device: command parsing, MIDI checks, and a real (silent) device playing a short piece.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
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

std::vector<uint8_t> midi_bytes(const std::string& notes) {
    const auto parsed = music::parse_note_list(notes);
    EXPECT_TRUE(parsed.song.has_value()) << parsed.error.message;
    return parsed.song ? music::write_midi(*parsed.song) : std::vector<uint8_t>{};
}

std::vector<uint8_t> short_piece_bytes() {
    return midi_bytes(kShortPiece);
}

// Eight minutes, a chord a bar: the renderer cannot get through it while a test runs, however fast.
std::vector<uint8_t> long_piece_bytes() {
    std::string notes = "tempo 60\nmeter 4/4\ntrack tune channel 1 program 0\n";
    for (int bar = 0; bar < 120; ++bar) notes += "| C4/4 E4/4 G4/4 C5/4\n";
    return midi_bytes(notes);
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
    EXPECT_DOUBLE_EQ(summary->seconds, kShortPieceSeconds);
}

TEST(MidiInspection, TimesAPieceByItsTempoChanges) {
    // Two bars at 90 quarters a minute, then three at 60: the tempo meta events of the first track.
    const auto parsed =
        music::parse_note_list("tempo 90\ntempo 60 bar 3\ntrack a\n| C4/1\n| C4/1\n| C4/1\n| C4/1\n| C4/1\n");
    ASSERT_TRUE(parsed.song.has_value()) << parsed.error.message;
    const auto summary = inspect_midi(music::write_midi(*parsed.song));
    ASSERT_TRUE(summary.has_value());
    EXPECT_NEAR(summary->seconds, 8 * 60.0 / 90 + 12 * 60.0 / 60, 1e-3) << "to the millisecond";
}

TEST(MidiInspection, RejectsDamagedFiles) {
    const std::vector<uint8_t> good = short_piece_bytes();
    constexpr size_t kTrackCountAt = 10, kFormatAt = 9, kDivisionAt = 12, kHeaderBytes = 14;
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
        {"timed in SMPTE frames, which FluidSynth refuses", changed(kDivisionAt, 0xE7)},
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

TEST_F(MusicDeviceTest, NamesTheSoundfontFileItPlaysWithOrNoneWhenItFoundNoneAndWhetherItIsHeard) {
    using Hearing = MusicDevice::Hearing;
    std::string expected;
    for (const std::string& font : system_soundfonts()) {
        std::error_code error;
        if (expected.empty() && fs::exists(font, error)) expected = fs::canonical(font).string();
    }
    EXPECT_EQ(device_.soundfont_file(), expected) << "the file itself, not the link that chose it";
    EXPECT_EQ(device_.hearing(), Hearing::Silent) << "nobody hears a silent output, whatever its font";
    HeldDevice held(FluidMusicDevice::Output::Pulled);
    EXPECT_EQ(held.device->hearing(), Hearing::SettingUp);
    held.release();
    held.device->wait_until_set_up();
    EXPECT_EQ(held.device->hearing(), expected.empty() ? Hearing::Silent : Hearing::Heard);
    ::testing::internal::CaptureStderr();
    FluidMusicDevice without(FluidMusicDevice::Output::Pulled, {(dir_ / "no_such_font.sf2").string()});
    without.wait_until_set_up();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(without.soundfont_file(), "");
    EXPECT_EQ(without.hearing(), Hearing::Silent) << "an output without a soundfont plays nothing";
}

// ---- sound taken block by block, on the device's own sample clock ----

constexpr int kTailBlocks = 256;             // three seconds: longer than any tail
constexpr float kOneStep = 1.0F / 32768.0F;  // what 16 bits can tell apart
constexpr float kAudible = 1e-3F;

float peak(const std::vector<float>& samples, size_t from, size_t to) {
    float most = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i) most = std::max(most, std::abs(samples[i]));
    return most;
}

float largest_difference(const std::vector<float>& a, size_t a_from, const std::vector<float>& b,
                         size_t b_from, size_t count) {
    float most = 0;
    for (size_t i = 0; i < count && a_from + i < a.size() && b_from + i < b.size(); ++i) {
        most = std::max(most, std::abs(a[a_from + i] - b[b_from + i]));
    }
    return most;
}

// What a device gave when pulled, as a sound driver takes it.
struct Sound {
    std::vector<float> left, right;
    void pull(FluidMusicDevice& device, int blocks) {
        std::array<float, kPeriodFrames> l{}, r{};
        for (int block = 0; block < blocks; ++block) {
            device.pull(kPeriodFrames, l.data(), r.data());
            left.insert(left.end(), l.begin(), l.end());
            right.insert(right.end(), r.begin(), r.end());
        }
    }
    // The blocks until the piece says it has stopped; -1 after far longer than any piece.
    int play_until_stopped(FluidMusicDevice& device) {
        const int limit = static_cast<int>(120 * kSampleRate / kPeriodFrames);
        for (int blocks = 1; blocks <= limit; ++blocks) {
            pull(device, 1);
            std::string mode;
            device.send_command("status bgmfile mode", &mode);
            if (mode != "playing") return blocks;
        }
        return -1;
    }
};

struct PulledDevice : Sound {
    explicit PulledDevice(FluidMusicDevice::Rendering rendering)
        : device(FluidMusicDevice::Output::Pulled, system_soundfonts(), milliseconds(0), rendering) {
        device.wait_until_set_up();
    }
    int send(const std::string& command) { return device.send_command(command, nullptr); }
    std::string status() {
        std::string reply;
        device.send_command("status bgmfile mode", &reply);
        return reply;
    }
    void open(const std::string& path) {
        EXPECT_EQ(send("open " + path + " alias bgmfile"), kMusicOk) << path;
    }
    void pull(int blocks) { Sound::pull(device, blocks); }
    int play_until_stopped() { return Sound::play_until_stopped(device); }
    FluidMusicDevice device;
};

TEST_F(MusicDeviceTest, OpenedPieceWaitsStoppedUntilPlayed) {
    ASSERT_EQ(send(open_command()), kMusicOk);
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
    // Kept to the clock: never early, and not seconds late like fluid's own "done" (a loaded machine
    // may be slow to ask).
    EXPECT_GT(seconds, kShortPieceSeconds * 0.9);
    EXPECT_LT(seconds, kPatience.count() / 1000.0);
}

TEST_F(MusicDeviceTest, SeekAndPlayAfterTheEndPlaysItAgainOverTheTailWithoutASeam) {
    // The reference: the synth live, to the end and through its tail.
    PulledDevice live(FluidMusicDevice::Rendering::Live);
    live.open(piece_);
    ASSERT_EQ(live.send("play bgmfile notify"), kMusicOk);
    const int length = live.play_until_stopped();
    ASSERT_EQ(length, static_cast<int>(std::ceil(kShortPieceSeconds * kSampleRate / kPeriodFrames)))
        << "the end is noticed in the block where the piece's ticks run out";
    live.pull(kTailBlocks);
    // From memory, looped as the game's timer does while the tail still rings.
    constexpr int kGapBlocks = 8;
    constexpr int kLoops = 3;
    PulledDevice memory(FluidMusicDevice::Rendering::FromMemory);
    memory.open(piece_);
    for (int round = 0; round < kLoops; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(memory.send("seek bgmfile to start"), kMusicOk);
        ASSERT_EQ(memory.send("play bgmfile notify"), kMusicOk);
        EXPECT_EQ(memory.status(), "playing");
        EXPECT_EQ(memory.play_until_stopped(), length) << "each loop plays the whole piece, then says so";
        memory.pull(kGapBlocks);
    }
    const size_t seam = static_cast<size_t>(length + kGapBlocks) * kPeriodFrames;
    EXPECT_GT(peak(live.left, seam, seam + kPeriodFrames), kAudible) << "the tail rings under the seam";
    EXPECT_LE(largest_difference(memory.left, 0, live.left, 0, seam), kOneStep) << "the first loop";
    // Every later loop is the first one with the tails of the loops before still ringing under it.
    for (size_t at = seam; at < kLoops * seam; at += seam) {
        for (const auto* channel : {&memory.left, &memory.right}) {
            const auto& reference = channel == &memory.left ? live.left : live.right;
            for (size_t i = 0; i < seam; ++i) {
                float expected = 0;
                for (size_t loop = i; loop <= at + i && loop < reference.size(); loop += seam)
                    expected += reference[loop];
                ASSERT_NEAR((*channel)[at + i], expected, 3 * kOneStep)
                    << "frame " << i << " of the loop at " << at;
            }
        }
    }
}

TEST_F(MusicDeviceTest, StopHaltsAndSeekRewinds) {
    // On the device's own sample clock, so that a busy machine cannot end the piece between two asks.
    PulledDevice pulled(FluidMusicDevice::Rendering::FromMemory);
    device = &pulled.device;
    ASSERT_EQ(send(open_command()), kMusicOk);
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    ASSERT_EQ(send("stop bgmfile "), kMusicOk);
    EXPECT_EQ(status(), "stopped");
    pulled.pull(kTailBlocks);
    EXPECT_EQ(status(), "stopped");
    ASSERT_EQ(send("seek bgmfile to start"), kMusicOk);
    EXPECT_EQ(status(), "stopped") << "seeking does not start the piece";
    ASSERT_EQ(send("play bgmfile notify"), kMusicOk);
    EXPECT_EQ(status(), "playing");
    EXPECT_GT(pulled.play_until_stopped(), 0);
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
    PulledDevice pulled(FluidMusicDevice::Rendering::FromMemory);  // its clock stands still until pulled
    device = &pulled.device;
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
    HeldDevice held(FluidMusicDevice::Output::Pulled);
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
    // Longer than the piece, taken as a sound driver would: without a synth it cannot have run.
    std::array<float, kPeriodFrames> left{}, right{};
    for (int block = 0; block < kTailBlocks; ++block)
        held.device->pull(kPeriodFrames, left.data(), right.data());
    EXPECT_EQ(status(), "playing");

    held.release();
    held.device->wait_until_set_up();
    Sound sound;
    EXPECT_EQ(sound.play_until_stopped(*held.device),
              static_cast<int>(std::ceil(kShortPieceSeconds * kSampleRate / kPeriodFrames)))
        << "it played from the top once the synth was ready";
    EXPECT_GT(peak(sound.left, 0, sound.left.size()), kAudible);
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
    PulledDevice pulled(FluidMusicDevice::Rendering::FromMemory);  // its clock stands still until pulled
    device = &pulled.device;
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
        EXPECT_EQ(device->send_command(command, &reply), error) << command;
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

// ---- from memory against the synth live ----

const fs::path kPieces = fs::path(BERORAN_SOURCE_DIR) / "vr_data";

TEST(MusicFromMemory, EveryPieceSoundsAsTheSynthLiveToTheEndOfItsTail) {
    const std::pair<const char*, const char*> rows[] = {
        {"the board's piece, the longest", "dice.mid"},
        {"stage clear", "nextmap.mid"},
        {"game over", "gameover.mid"},
        {"the game won", "clear.mid"},
    };
    for (const auto& [rule, file] : rows) {
        SCOPED_TRACE(rule);
        PulledDevice live(FluidMusicDevice::Rendering::Live), memory(FluidMusicDevice::Rendering::FromMemory);
        for (auto* device : {&live, &memory}) {
            device->open((kPieces / file).string());
            ASSERT_EQ(device->send("play bgmfile notify"), kMusicOk);
        }
        const int length = live.play_until_stopped();
        ASSERT_GT(length, 0);
        EXPECT_EQ(memory.play_until_stopped(), length) << "the end is noticed in the same block";
        live.pull(kTailBlocks);
        memory.pull(kTailBlocks);
        EXPECT_GT(peak(live.left, 0, live.left.size()), kAudible) << "a soundfont plays it";
        EXPECT_LE(largest_difference(live.left, 0, memory.left, 0, live.left.size()), kOneStep);
        EXPECT_LE(largest_difference(live.right, 0, memory.right, 0, live.right.size()), kOneStep);
    }
}

TEST(MusicFromMemory, CommandsWhileThePieceIsStillRenderingAnswerAndSoundAsLive) {
    constexpr int kSecond = static_cast<int>(kSampleRate / kPeriodFrames);
    const std::pair<const char*, const char*> steps[] = {
        {"play bgmfile notify", "playing"},
        {"stop bgmfile ", "stopped"},
        {"seek bgmfile to start", "stopped"},
        {"play bgmfile notify", "playing"},
    };
    const fs::path piece = fs::temp_directory_path() / ("vr_music_long_" + std::to_string(getpid()) + ".mid");
    write_bytes(piece, long_piece_bytes());
    PulledDevice live(FluidMusicDevice::Rendering::Live), memory(FluidMusicDevice::Rendering::FromMemory);
    for (auto* device : {&live, &memory}) {
        SCOPED_TRACE(device == &live ? "live" : "from memory");
        device->open(piece.string());
        for (const auto& [command, mode] : steps) {
            ASSERT_EQ(device->send(command), kMusicOk) << command;
            EXPECT_EQ(device->status(), mode) << command;
            device->pull(kSecond);
        }
    }
    EXPECT_FALSE(memory.device.piece_rendered()) << "rendered before the commands: none came during it";
    for (auto* device : {&live, &memory}) {
        EXPECT_EQ(device->send("close bgmfile "), kMusicOk);
        EXPECT_EQ(device->send("status bgmfile mode"), kMusicUnknownAlias);
    }
    const size_t second = static_cast<size_t>(kSecond) * kPeriodFrames;
    EXPECT_GT(peak(live.left, 0, second), kAudible);
    EXPECT_LE(largest_difference(live.left, 0, memory.left, 0, second), kOneStep) << "the first second";
    // A stop fades out within a second, as the released notes did; the seek restarts at the top.
    for (const auto* sound : {&live, &memory})
        EXPECT_LT(peak(sound->left, 3 * second - second / 4, 3 * second), kOneStep);
    EXPECT_LE(largest_difference(live.left, 0, memory.left, 3 * second, second), kOneStep)
        << "played again from the top";
    fs::remove(piece);
}

TEST(MusicFromMemory, AnOutputThatQueuesAheadCanGoBackAndChangeWhatItQueued) {
    // As our PulseAudio stream takes it: big chunks far ahead of the frame being heard.
    constexpr size_t kChunk = 8192, kChunks = 12, kStride = 2;
    const auto bytes = short_piece_bytes();
    const auto summary = inspect_midi(bytes);
    ASSERT_TRUE(summary.has_value());
    fluid_settings_t* settings = new_music_settings();
    std::string loaded;
    const auto piece =
        RenderedPiece::render(new_music_synth(settings, system_soundfonts(), false, loaded), bytes, *summary);
    ASSERT_NE(piece, nullptr);
    while (piece->render_block()) {
    }
    piece->take_synth();  // as the device's renderer does, while the settings still exist
    const auto mix = [](MemoryPlayback& playback, size_t chunks) {
        std::vector<float> out(chunks * kChunk * kStride);
        for (size_t chunk = 0; chunk < chunks; ++chunk) {
            float* at = out.data() + chunk * kChunk * kStride;
            playback.mix(kChunk, at, at + 1, kStride);
        }
        return out;
    };
    MemoryPlayback playback;
    playback.attach(piece.get());
    playback.play();
    const std::vector<float> first = mix(playback, kChunks);
    const size_t end = piece->end();
    EXPECT_FALSE(playback.playing()) << "mixed past the end";
    EXPECT_TRUE(playback.playing_when(end - 1)) << "but nobody has heard the end yet";
    EXPECT_FALSE(playback.playing_when(end));

    const struct {
        const char* rule;
        size_t back_to;
        bool stop;
    } rows[] = {
        {"going back mixes the same sound again, mid-chunk", kChunk + 1000, false},
        {"going back to before the end plays on to it", end - 100, false},
        {"a stop at an earlier frame fades from that frame on", kChunk / 2, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        ASSERT_EQ(playback.move_to(row.back_to), row.back_to);
        EXPECT_TRUE(playback.playing()) << "as it was at that frame";
        if (row.stop) playback.stop();
        const std::vector<float> again = mix(playback, kChunks);
        const size_t offset = row.back_to * kStride;
        for (size_t i = 0; i + offset < first.size(); ++i) {
            if (row.stop) {
                // The same samples, only quieter and quieter.
                ASSERT_LE(std::abs(again[i]), std::abs(first[offset + i]) * (1.0F + 1e-4F)) << "sample " << i;
            } else {
                ASSERT_FLOAT_EQ(again[i], first[offset + i]) << "sample " << i;
            }
        }
        if (row.stop) {
            EXPECT_GT(peak(again, 0, kChunk), kAudible);
            EXPECT_LT(peak(again, again.size() / 2, again.size()), kOneStep) << "faded out";
        }
        // Back to where the output had got, for the next row.
        playback.move_to(0);
        playback.play();
        mix(playback, kChunks);
    }

    // However late the output comes to a start, it hears the piece from its first frame.
    const std::pair<const char*, bool> starts[] = {
        {"a piece that waited for its rendering while the output kept time", true},
        {"a first mix the output dropped as too late, given again further on", false},
    };
    for (const auto& [rule, waits_for_rendering] : starts) {
        SCOPED_TRACE(rule);
        MemoryPlayback late;
        if (waits_for_rendering) {
            late.play();
            late.move_to(kChunk);
            late.attach(piece.get());
        } else {
            late.attach(piece.get());
            late.play();
            mix(late, 1);
            late.drop_last_mix();
        }
        ASSERT_EQ(late.move_to(kChunk + kChunk / 2), kChunk + kChunk / 2);
        const std::vector<float> heard = mix(late, 1);
        for (size_t i = 0; i < heard.size(); ++i) ASSERT_FLOAT_EQ(heard[i], first[i]) << "sample " << i;
    }
    delete_music_settings(settings);
}

}  // namespace
}  // namespace vr
