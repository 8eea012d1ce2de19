// Reading note lists: one bar per line, note names with durations, checked bar by bar so that every
// track ends on the same bar line and a looping piece restarts without a hitch.
#include "note_list.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <sstream>

namespace vr::music {

namespace {

constexpr int kMaxMidiValue = 127;
constexpr int kMidiChannels = 16;
constexpr int kMiddleCOctave = 4;
constexpr int kMiddleC = 60;
constexpr int kSemitonesPerOctave = 12;
constexpr int kDefaultVelocity = 90;
constexpr int kAccent = 20;  // what '>' adds to a note's velocity
constexpr int kDefaultGatePercent = 90;
constexpr int kMinGatePercent = 10;
constexpr int kFullGatePercent = 100;
constexpr int kDefaultBpm = 120;
constexpr int kMinBpm = 20;
constexpr int kMaxBpm = 400;
constexpr int kMaxRepeat = 64;
constexpr int kWholeNoteTicks = 4 * kTicksPerQuarter;

// General MIDI percussion keys (channel 10) by the names we write them with.
const std::map<std::string, int> kDrumKeys = {
    {"kick", 36},   {"rim", 37},      {"snare", 38},   {"clap", 39},   {"lotom", 41}, {"hat", 42},
    {"midtom", 45}, {"pedalhat", 44}, {"ohat", 46},    {"hitom", 48},  {"crash", 49}, {"ride", 51},
    {"tamb", 54},   {"splash", 55},   {"cowbell", 56}, {"shaker", 70}, {"block", 76},
};

std::optional<int> to_int(const std::string& text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// A comment is a word starting with '#' and the rest of the line; C#4 is a note.
size_t comment_start(const std::string& line) {
    for (size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + 1)) {
        if (at == 0 || std::isspace(static_cast<unsigned char>(line[at - 1]))) return at;
    }
    return line.size();
}

struct Failure {
    std::string message;
};

std::optional<int> pitch_of(const std::string& name) {
    if (const auto drum = kDrumKeys.find(name); drum != kDrumKeys.end()) return drum->second;
    static const std::map<char, int> kSteps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                               {'G', 7}, {'A', 9}, {'B', 11}};
    if (name.empty() || kSteps.count(name[0]) == 0) return std::nullopt;
    int pitch = kSteps.at(name[0]);
    size_t at = 1;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) pitch += name[at++] == '#' ? 1 : -1;
    const auto octave = to_int(name.substr(at));
    if (!octave) return std::nullopt;
    pitch += kMiddleC + (*octave - kMiddleCOctave) * kSemitonesPerOctave;
    if (pitch < 0 || pitch > kMaxMidiValue) return std::nullopt;
    return pitch;
}

// "4" quarter, "8." dotted eighth, "8t" eighth triplet; whole (1) to thirty-second (32).
std::optional<int> ticks_of(std::string text) {
    bool dotted = false, triplet = false;
    if (!text.empty() && text.back() == '.') dotted = true, text.pop_back();
    if (!text.empty() && text.back() == 't') triplet = true, text.pop_back();
    const auto division = to_int(text);
    constexpr int kShortest = 32;
    if (!division || *division < 1 || *division > kShortest || (*division & (*division - 1)) != 0) {
        return std::nullopt;
    }
    int ticks = kWholeNoteTicks / *division;
    if (dotted) ticks += ticks / 2;
    if (triplet) ticks = ticks * 2 / 3;
    return ticks;
}

class NoteListReader {
public:
    ParsedSong read(const std::string& text);

private:
    void read_line(const std::string& line);
    void read_track(const std::vector<std::string>& words);
    void read_tempo(const std::vector<std::string>& words);
    void read_meter(const std::vector<std::string>& words);
    void read_bar(const std::string& line);
    void finish_track();
    void finish_song();
    void add_bar(const std::vector<Note>& bar);
    std::vector<Note> read_chord(const std::string& token, int start, int* length);
    int bar_ticks() const { return song_.beats_per_bar * kWholeNoteTicks / song_.beat_unit; }

    Song song_;
    Track* track_ = nullptr;  // the track being read
    int track_line_ = 0;      // the line that opened it
    int track_velocity_ = kDefaultVelocity;
    int track_gate_ = kDefaultGatePercent;
    int track_transpose_ = 0;
    int repeat_count_ = 0;  // 0 outside a repeat block
    std::vector<std::vector<Note>> repeat_bars_;
    std::vector<std::pair<int, int>> tempo_bars_;  // (bar from 1, bpm)
    int line_number_ = 0;
};

ParsedSong NoteListReader::read(const std::string& text) {
    std::istringstream in(text);
    try {
        for (std::string line; std::getline(in, line);) {
            ++line_number_;
            line.erase(comment_start(line));
            read_line(line);
        }
        ++line_number_;
        finish_song();
    } catch (const Failure& failure) {
        return {std::nullopt, {line_number_, failure.message}};
    }
    return {song_, {}};
}

void NoteListReader::read_line(const std::string& line) {
    const auto words = split(line);
    if (words.empty()) return;
    const std::string& keyword = words[0];
    if (keyword[0] == '|') {
        read_bar(line);
    } else if (keyword == "track") {
        read_track(words);
    } else if (keyword == "tempo") {
        read_tempo(words);
    } else if (keyword == "meter") {
        read_meter(words);
    } else if (keyword == "repeat") {
        if (track_ == nullptr) throw Failure{"repeat outside a track"};
        if (repeat_count_ != 0) throw Failure{"repeat blocks do not nest"};
        const int count = words.size() == 2 ? to_int(words[1]).value_or(0) : 0;
        if (count < 1 || count > kMaxRepeat) throw Failure{"write 'repeat N' with N from 1 to 64"};
        repeat_count_ = count;
    } else if (keyword == "end") {
        if (repeat_count_ == 0 || words.size() != 1) throw Failure{"'end' without 'repeat'"};
        for (int i = 0; i < repeat_count_; ++i) {
            for (const auto& bar : repeat_bars_) add_bar(bar);
        }
        repeat_count_ = 0;
        repeat_bars_.clear();
    } else {
        throw Failure{"unknown keyword '" + keyword + "'"};
    }
}

void NoteListReader::read_track(const std::vector<std::string>& words) {
    finish_track();
    if (words.size() < 2 || words.size() % 2 != 0) {
        throw Failure{"write 'track <name>' followed by setting/value pairs"};
    }
    Track track;
    track.name = words[1];
    track_velocity_ = kDefaultVelocity;
    track_gate_ = kDefaultGatePercent;
    track_transpose_ = 0;
    for (size_t i = 2; i < words.size(); i += 2) {
        const std::string& key = words[i];
        const auto value = to_int(words[i + 1]);
        const auto require = [&](int low, int high) {
            if (!value || *value < low || *value > high) {
                throw Failure{key + " must be " + std::to_string(low) + ".." + std::to_string(high)};
            }
            return *value;
        };
        if (key == "channel") {
            track.channel = require(1, kMidiChannels) - 1;
        } else if (key == "program") {
            track.program = require(0, kMaxMidiValue);
        } else if (key == "volume") {
            track.volume = require(0, kMaxMidiValue);
        } else if (key == "pan") {
            track.pan = require(0, kMaxMidiValue);
        } else if (key == "reverb") {
            track.reverb = require(0, kMaxMidiValue);
        } else if (key == "velocity") {
            track_velocity_ = require(1, kMaxMidiValue);
        } else if (key == "gate") {
            track_gate_ = require(kMinGatePercent, kFullGatePercent);
        } else if (key == "transpose") {
            track_transpose_ = require(-kMaxMidiValue, kMaxMidiValue);
        } else {
            throw Failure{"unknown track setting '" + key + "'"};
        }
    }
    song_.tracks.push_back(track);
    track_ = &song_.tracks.back();
    track_line_ = line_number_;
}

void NoteListReader::read_tempo(const std::vector<std::string>& words) {
    // "tempo 132" sets the opening tempo; "tempo 100 bar 17" changes it from bar 17 on.
    const bool from_bar = words.size() == 4 && words[2] == "bar";
    if (words.size() != 2 && !from_bar) throw Failure{"write 'tempo <bpm>' or 'tempo <bpm> bar <n>'"};
    const auto bpm = to_int(words[1]);
    if (!bpm || *bpm < kMinBpm || *bpm > kMaxBpm) throw Failure{"tempo must be 20..400 beats per minute"};
    const auto bar = from_bar ? to_int(words[3]) : std::optional<int>(1);
    if (!bar || *bar < 1) throw Failure{"bar numbers start at 1"};
    if (!tempo_bars_.empty() && tempo_bars_.back().first >= *bar) {
        throw Failure{"tempo changes must come in bar order"};
    }
    tempo_bars_.emplace_back(*bar, *bpm);
}

void NoteListReader::read_meter(const std::vector<std::string>& words) {
    if (!song_.tracks.empty()) throw Failure{"the meter comes before the first track"};
    constexpr const char* kHowToWriteIt = "write the meter as 'meter 4/4', 'meter 3/4', 'meter 6/8'...";
    const size_t slash = words.size() == 2 ? words[1].find('/') : std::string::npos;
    // Checked before either half is read: optionals chosen by a condition make GCC 12 at -Os
    // report a false "may be used uninitialized".
    if (slash == std::string::npos) throw Failure{kHowToWriteIt};
    const auto beats = to_int(words[1].substr(0, slash));
    const auto unit = to_int(words[1].substr(slash + 1));
    constexpr int kMaxBeats = 16;
    if (!beats || !unit || *beats < 1 || *beats > kMaxBeats || !ticks_of(std::to_string(*unit))) {
        throw Failure{kHowToWriteIt};
    }
    song_.beats_per_bar = *beats;
    song_.beat_unit = *unit;
}

void NoteListReader::read_bar(const std::string& line) {
    if (track_ == nullptr) throw Failure{"a bar before the first track"};
    auto words = split(line.substr(line.find('|') + 1));
    int times = 1;
    if (!words.empty() && words.back()[0] == '*') {
        const auto count = to_int(words.back().substr(1));
        if (!count || *count < 1 || *count > kMaxRepeat)
            throw Failure{"write a bar repeat as *N, N from 1 to 64"};
        times = *count;
        words.pop_back();
    }
    std::vector<Note> bar;
    int at = 0;
    for (const auto& token : words) {
        int length = 0;
        for (const Note& note : read_chord(token, at, &length)) bar.push_back(note);
        at += length;
    }
    if (at != bar_ticks()) {
        throw Failure{"the bar lasts " + std::to_string(at) + " ticks but the meter asks for " +
                      std::to_string(bar_ticks()) + " (a quarter note is " +
                      std::to_string(kTicksPerQuarter) + ")"};
    }
    for (int i = 0; i < times; ++i) {
        if (repeat_count_ != 0) {
            repeat_bars_.push_back(bar);
        } else {
            add_bar(bar);
        }
    }
}

// [>]pitch[+pitch...]/duration[!velocity]; 'r' is a rest.
std::vector<Note> NoteListReader::read_chord(const std::string& token, int start, int* length) {
    const std::string bad = "'" + token + "' is not a note: write e.g. C5/4, >G4/8, Eb4+G4/2, r/8, kick/4";
    std::string body = token;
    int velocity = track_velocity_;
    if (!body.empty() && body[0] == '>')
        velocity = std::min(kMaxMidiValue, velocity + kAccent), body.erase(0, 1);
    if (const size_t bang = body.find('!'); bang != std::string::npos) {
        const auto loud = to_int(body.substr(bang + 1));
        if (!loud || *loud < 1 || *loud > kMaxMidiValue) throw Failure{bad};
        velocity = *loud;
        body.erase(bang);
    }
    const size_t slash = body.find('/');
    if (slash == std::string::npos) throw Failure{bad};
    const auto ticks = ticks_of(body.substr(slash + 1));
    if (!ticks) throw Failure{bad};
    *length = *ticks;
    const std::string pitches = body.substr(0, slash);
    if (pitches == "r") return {};
    const int held = std::max(1, *ticks * track_gate_ / kFullGatePercent);
    std::vector<Note> chord;
    size_t from = 0;
    while (true) {
        const size_t plus = pitches.find('+', from);
        const auto pitch = pitch_of(pitches.substr(from, plus == std::string::npos ? plus : plus - from));
        if (!pitch || *pitch + track_transpose_ < 0 || *pitch + track_transpose_ > kMaxMidiValue) {
            throw Failure{bad};
        }
        chord.push_back({start, held, *pitch + track_transpose_, velocity});
        if (plus == std::string::npos) break;
        from = plus + 1;
    }
    return chord;
}

void NoteListReader::add_bar(const std::vector<Note>& bar) {
    const int offset = track_->bars * bar_ticks();
    for (Note note : bar) {
        note.start += offset;
        track_->notes.push_back(note);
    }
    ++track_->bars;
}

void NoteListReader::finish_track() {
    if (track_ == nullptr) return;
    if (repeat_count_ != 0) throw Failure{"'repeat' without 'end' in track " + track_->name};
    if (track_->bars == 0) throw Failure{"track " + track_->name + " has no bars"};
    const Track& first = song_.tracks.front();
    if (track_->bars != first.bars) {
        line_number_ = track_line_;
        throw Failure{"track " + track_->name + " has " + std::to_string(track_->bars) + " bars but track " +
                      first.name + " has " + std::to_string(first.bars)};
    }
}

void NoteListReader::finish_song() {
    finish_track();
    if (song_.tracks.empty()) throw Failure{"no tracks"};
    const int bars = song_.tracks.front().bars;
    song_.total_ticks = bars * bar_ticks();
    if (tempo_bars_.empty() || tempo_bars_.front().first != 1)
        tempo_bars_.insert(tempo_bars_.begin(), {1, kDefaultBpm});
    for (const auto& [bar, bpm] : tempo_bars_) {
        if (bar > bars) throw Failure{"a tempo change at bar " + std::to_string(bar) + " after the last bar"};
        song_.tempos.push_back({(bar - 1) * bar_ticks(), bpm});
    }
}

}  // namespace

double Song::seconds() const {
    constexpr double kSecondsPerMinute = 60.0;
    double seconds = 0;
    for (size_t i = 0; i < tempos.size(); ++i) {
        const int end = i + 1 < tempos.size() ? tempos[i + 1].tick : total_ticks;
        seconds += (end - tempos[i].tick) * kSecondsPerMinute / (tempos[i].bpm * kTicksPerQuarter);
    }
    return seconds;
}

ParsedSong parse_note_list(const std::string& text) {
    return NoteListReader().read(text);
}

}  // namespace vr::music
