// Checking a Standard MIDI File before FluidSynth sees it: every chunk and event within the file.
#include "platform/music/midi_check.h"

#include <algorithm>
#include <limits>
#include <map>

namespace vr {

namespace {

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

// Microseconds per quarter note from each tick on where the tempo changes.
using TempoMap = std::map<uint64_t, uint32_t>;

// Walks one track's events, noting its tempo changes; returns its length in ticks.
std::optional<uint64_t> track_ticks(ByteReader reader, TempoMap& tempos) {
    constexpr uint32_t kMeta = 0xFF, kSysex = 0xF0, kSysexEscape = 0xF7, kStatusBit = 0x80;
    constexpr uint32_t kSetTempo = 0x51, kTempoBytes = 3;
    constexpr uint32_t kProgramChange = 0xC0, kChannelPressure = 0xD0, kTypeMask = 0xF0;
    uint64_t ticks = 0;
    uint32_t running_status = 0;
    while (!reader.done()) {
        const auto delta = reader.take_variable();
        const auto first = reader.take(1);
        if (!delta || !first) return std::nullopt;
        ticks += *delta;
        uint32_t status = *first;
        // A meta or sysex event ends running status: a data byte right after one has no status,
        // and FluidSynth would misread it.
        if (status == kMeta) {
            const auto type = reader.take(1);
            const auto length = reader.take_variable();
            if (!type || !length) return std::nullopt;
            if (*type == kSetTempo && *length == kTempoBytes) {
                const auto tempo = reader.take(kTempoBytes);
                if (!tempo) return std::nullopt;
                tempos[ticks] = *tempo;
            } else if (!reader.skip(*length)) {
                return std::nullopt;
            }
            running_status = 0;
            continue;
        }
        if (status == kSysex || status == kSysexEscape) {
            const auto length = reader.take_variable();
            if (!length || !reader.skip(*length)) return std::nullopt;
            running_status = 0;
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

double seconds_until(uint64_t total_ticks, const TempoMap& tempos, uint32_t division) {
    constexpr uint32_t kDefaultTempo = 500000;  // 120 quarters a minute
    constexpr double kMicroseconds = 1e6;
    double seconds = 0;
    uint64_t tick = 0;
    uint32_t tempo = kDefaultTempo;
    for (const auto& [at, next_tempo] : tempos) {
        if (at >= total_ticks) break;
        seconds += static_cast<double>(at - tick) * tempo / division / kMicroseconds;
        tick = at;
        tempo = next_tempo;
    }
    return seconds + static_cast<double>(total_ticks - tick) * tempo / division / kMicroseconds;
}

}  // namespace

std::optional<MidiSummary> inspect_midi(const std::vector<uint8_t>& bytes) {
    constexpr uint32_t kHeaderId = 0x4D546864;  // "MThd"
    constexpr uint32_t kTrackId = 0x4D54726B;   // "MTrk"
    constexpr uint32_t kMinHeaderLength = 6;
    constexpr uint32_t kMaxFormat = 1;           // format 2 (independent patterns) never loops as one piece
    constexpr uint32_t kSmpteDivision = 0x8000;  // frames per second: FluidSynth refuses to play these
    ByteReader file(bytes, 0, bytes.size());
    const auto id = file.take(4);
    const auto header_length = file.take(4);
    if (id != kHeaderId || !header_length || *header_length < kMinHeaderLength) return std::nullopt;
    const auto format = file.take(2);
    const auto track_count = file.take(2);
    const auto division = file.take(2);
    if (!format || *format > kMaxFormat || !track_count || *track_count == 0 || !division || *division == 0 ||
        (*division & kSmpteDivision) != 0 || !file.skip(*header_length - kMinHeaderLength)) {
        return std::nullopt;
    }
    MidiSummary summary;
    TempoMap tempos;
    uint32_t tracks_seen = 0;
    while (!file.done()) {
        const auto chunk_id = file.take(4);
        const auto length = file.take(4);
        if (!chunk_id || !length) return std::nullopt;
        const size_t begin = file.position();
        if (!file.skip(*length)) return std::nullopt;
        if (*chunk_id != kTrackId) continue;  // unknown chunks are allowed and ignored
        const auto ticks = track_ticks(ByteReader(bytes, begin, begin + *length), tempos);
        if (!ticks || *ticks > static_cast<uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
        summary.total_ticks = std::max(summary.total_ticks, static_cast<int>(*ticks));
        ++tracks_seen;
    }
    if (tracks_seen < *track_count) return std::nullopt;
    summary.seconds = seconds_until(static_cast<uint64_t>(summary.total_ticks), tempos, *division);
    return summary;
}

}  // namespace vr
