// Writing a Song as a format-1 Standard MIDI File: a conductor track with meter and tempo, then one
// track per instrument, every track ending exactly at the song's last bar line.
#include <algorithm>
#include <tuple>

#include "note_list.h"

namespace vr::music {

namespace {

constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kMetaTrackName = 0x03;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaTimeSignature = 0x58;
constexpr uint8_t kControllerVolume = 7;
constexpr uint8_t kControllerPan = 10;
constexpr uint8_t kControllerReverb = 91;
constexpr uint8_t kReleaseVelocity = 64;
constexpr uint8_t kClocksPerClick = 24;
constexpr uint8_t kThirtySecondsPerQuarter = 8;
constexpr int kMicrosecondsPerMinute = 60'000'000;
constexpr int kByteBits = 8;
constexpr uint8_t kByteMask = 0xFF;

struct Event {
    int tick = 0;
    int order = 0;  // at one tick: set-up first, then releases, then new notes
    std::vector<uint8_t> bytes;
};

void put_big_endian(std::vector<uint8_t>* out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out->push_back(static_cast<uint8_t>((value >> (i * kByteBits)) & kByteMask));
}

void put_variable(std::vector<uint8_t>* out, uint32_t value) {
    constexpr int kBitsPerByte = 7;
    constexpr uint32_t kLow = 0x7F, kMore = 0x80;
    std::vector<uint8_t> reversed = {static_cast<uint8_t>(value & kLow)};
    while ((value >>= kBitsPerByte) != 0) reversed.push_back(static_cast<uint8_t>((value & kLow) | kMore));
    out->insert(out->end(), reversed.rbegin(), reversed.rend());
}

std::vector<uint8_t> meta(uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes = {kMeta, type};
    put_variable(&bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

void put_track(std::vector<uint8_t>* file, std::vector<Event> events, int end_tick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
    });
    events.push_back({end_tick, 0, meta(kMetaEndOfTrack, {})});
    std::vector<uint8_t> body;
    int last = 0;
    for (const Event& event : events) {
        put_variable(&body, static_cast<uint32_t>(event.tick - last));
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        last = event.tick;
    }
    file->insert(file->end(), {'M', 'T', 'r', 'k'});
    put_big_endian(file, static_cast<uint32_t>(body.size()), 4);
    file->insert(file->end(), body.begin(), body.end());
}

uint8_t log2_of(int value) {
    uint8_t power = 0;
    while ((1 << power) < value) ++power;
    return power;
}

std::vector<Event> conductor_events(const Song& song) {
    std::vector<Event> events;
    events.push_back(
        {0, 0,
         meta(kMetaTimeSignature, {static_cast<uint8_t>(song.beats_per_bar), log2_of(song.beat_unit),
                                   kClocksPerClick, kThirtySecondsPerQuarter})});
    for (const TempoChange& change : song.tempos) {
        std::vector<uint8_t> data;
        put_big_endian(&data, static_cast<uint32_t>(kMicrosecondsPerMinute / change.bpm), 3);
        events.push_back({change.tick, 1, meta(kMetaTempo, data)});
    }
    return events;
}

std::vector<Event> track_events(const Track& track) {
    const auto channel = static_cast<uint8_t>(track.channel);
    const auto control = [&](uint8_t controller, int value) {
        return Event{
            0, 0, {static_cast<uint8_t>(kControlChange | channel), controller, static_cast<uint8_t>(value)}};
    };
    std::vector<Event> events = {
        {0, 0, meta(kMetaTrackName, std::vector<uint8_t>(track.name.begin(), track.name.end()))},
        {0, 0, {static_cast<uint8_t>(kProgramChange | channel), static_cast<uint8_t>(track.program)}},
        control(kControllerVolume, track.volume),
        control(kControllerPan, track.pan),
        control(kControllerReverb, track.reverb),
    };
    for (const Note& note : track.notes) {
        const auto pitch = static_cast<uint8_t>(note.pitch);
        events.push_back(
            {note.start,
             2,
             {static_cast<uint8_t>(kNoteOn | channel), pitch, static_cast<uint8_t>(note.velocity)}});
        events.push_back({note.start + note.length,
                          1,
                          {static_cast<uint8_t>(kNoteOff | channel), pitch, kReleaseVelocity}});
    }
    return events;
}

}  // namespace

std::vector<uint8_t> write_midi(const Song& song) {
    constexpr uint32_t kHeaderLength = 6;
    constexpr uint32_t kFormat = 1;
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    put_big_endian(&file, kHeaderLength, 4);
    put_big_endian(&file, kFormat, 2);
    put_big_endian(&file, static_cast<uint32_t>(song.tracks.size() + 1), 2);
    put_big_endian(&file, kTicksPerQuarter, 2);
    put_track(&file, conductor_events(song), song.total_ticks);
    for (const Track& track : song.tracks) put_track(&file, track_events(track), song.total_ticks);
    return file;
}

}  // namespace vr::music
