// Helpers for the campaign tests: which screen shows, what the music device was told, and the
// save file's bytes.
#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/files/paths.h"

namespace vr::test {

enum class Screen { Board, Title, Prologue, GameOver, GameClear, StageClear, Epilogue };

inline const char* screen_name(Screen screen) {
    switch (screen) {
        case Screen::Board:
            return "board";
        case Screen::Title:
            return "title";
        case Screen::Prologue:
            return "prologue";
        case Screen::GameOver:
            return "game over";
        case Screen::GameClear:
            return "game clear";
        case Screen::StageClear:
            return "stage clear";
        case Screen::Epilogue:
            return "epilogue";
    }
    return "?";
}

inline void PrintTo(Screen screen, std::ostream* out) {
    *out << screen_name(screen);
}

inline Frame* panel_of(GameForm& form, Screen screen) {
    switch (screen) {
        case Screen::Title:
            return &form.frame_title;
        case Screen::Prologue:
            return &form.frame_prologue;
        case Screen::GameOver:
            return &form.frame_gameover;
        case Screen::GameClear:
            return &form.frame_gameclear;
        case Screen::StageClear:
            return &form.frame_stageclear;
        case Screen::Epilogue:
            return &form.frame_epilogue;
        case Screen::Board:
            return nullptr;
    }
    return nullptr;
}

// The one screen showing, or Board when every panel is hidden; fails when two show at once.
inline Screen visible_screen(GameForm& form) {
    Screen shown = Screen::Board;
    int count = 0;
    for (Screen screen : {Screen::Title, Screen::Prologue, Screen::GameOver, Screen::GameClear,
                          Screen::StageClear, Screen::Epilogue}) {
        if (panel_of(form, screen)->is_visible()) {
            shown = screen;
            ++count;
        }
    }
    EXPECT_LE(count, 1) << "more than one screen panel is visible";
    return shown;
}

// The commands play_bgm sends for one piece, e.g. "vr_data\\dice.mid".
inline std::vector<std::string> play_commands(const std::string& piece) {
    return {"stop bgmfile ", "close bgmfile ",
            "open " + program_directory() + "\\" + piece + " alias bgmfile "};
}

inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The heroine's Master values and the turn counts: what a save keeps and a new game resets.
struct Progress {
    int stage, hp, mp_max, mv_max;
    std::vector<int> turns;
    bool operator==(const Progress&) const = default;
};

inline Progress progress_of(GameForm& form) {
    Progress p{
        form.stage, form.masters(kHuman).hp, form.masters(kHuman).mp_max, form.masters(kHuman).mv_max, {}};
    for (int n = 1; n <= kTotalTurnsIndex; ++n) p.turns.push_back(form.stage_turns(n));
    return p;
}

inline void set_progress(GameForm& form, const Progress& p) {
    form.stage = static_cast<int16_t>(p.stage);
    form.masters(kHuman).hp = static_cast<int16_t>(p.hp);
    form.masters(kHuman).mp_max = static_cast<int16_t>(p.mp_max);
    form.masters(kHuman).mv_max = static_cast<int16_t>(p.mv_max);
    for (int n = 1; n <= kTotalTurnsIndex; ++n) form.stage_turns(n) = static_cast<int16_t>(p.turns[n - 1]);
}

inline std::ostream& operator<<(std::ostream& out, const Progress& p) {
    out << "stage " << p.stage << ", hp " << p.hp << ", mp_max " << p.mp_max << ", mv_max " << p.mv_max
        << ", turns";
    for (int t : p.turns) out << ' ' << t;
    return out;
}

}  // namespace vr::test
