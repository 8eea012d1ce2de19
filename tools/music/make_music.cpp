// make_music: turns every note list (*.notes) in a directory into a MIDI file of the same name.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "note_list.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kNoteListExtension = ".notes";

// Write beside the target and rename, so a failed run never leaves half a MIDI file in vr_data.
bool write_whole(const fs::path& path, const std::vector<uint8_t>& bytes) {
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) fs::remove(temporary, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_music <note list directory> <output directory>\n");
        return 2;
    }
    const fs::path source = argv[1], target = argv[2];
    std::error_code error;
    std::map<fs::path, vr::music::Song> songs;  // sorted, so the report reads the same every time
    for (const auto& entry : fs::directory_iterator(source, error)) {
        if (entry.path().extension() != kNoteListExtension) continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const auto parsed = vr::music::parse_note_list(text.str());
        if (!parsed.song) {
            std::fprintf(stderr, "%s:%d: %s\n", entry.path().c_str(), parsed.error.line,
                         parsed.error.message.c_str());
            return 1;
        }
        songs.emplace(entry.path(), *parsed.song);
    }
    if (error || songs.empty()) {
        std::fprintf(stderr, "make_music: no note lists (*.notes) in %s\n", source.c_str());
        return 1;
    }
    // Every list is read before anything is written: one bad list leaves the old files alone.
    fs::create_directories(target, error);
    for (const auto& [path, song] : songs) {
        const fs::path out = target / path.filename().replace_extension(".mid");
        if (!write_whole(out, vr::music::write_midi(song))) {
            std::fprintf(stderr, "make_music: cannot write %s\n", out.c_str());
            return 1;
        }
        std::printf("%s: %d bars, %.1f s\n", out.c_str(), song.tracks.front().bars, song.seconds());
    }
    return 0;
}
