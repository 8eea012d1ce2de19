// The one save slot: the stage, the heroine's values and the turn counts, written by "セーブ" and
// read back by "ロード" and "続きから", which start the saved stage from its beginning.
#include <optional>
#include <string>
#include <vector>

#include "app/game_form.h"
#include "platform/files/paths.h"
#include "platform/files/record_file.h"

namespace vr {

namespace {

constexpr const char* kSaveFile = "vr_data\\vrdat.txt";
constexpr int kHeaderValues = 4;  // stage, hp, mp_max, mv_max
constexpr int kSaveValueCount = kHeaderValues + kTotalTurnsIndex;
constexpr int kFirstStage = 1;
constexpr int kSmallestDie = 1;  // mp_max and mv_max are the faces of the dice

constexpr MarkedText kNoUsableSave = VR_TEXT("Messages", "使えるセーブデータがありません");
constexpr MarkedText kNothingToSave = VR_TEXT("Messages", "まだセーブできるゲームがありません");
constexpr MarkedText kSaveFailed = VR_TEXT("Messages", "セーブできませんでした");
constexpr MarkedText kSaved = VR_TEXT("Messages", "セーブしました");

struct SavedGame {
    int16_t stage;
    int16_t hp, mp_max, mv_max;
    std::vector<int16_t> turns;  // stage_turns(1..9)
};

bool within(int value, int lo, int hi) {
    return value >= lo && value <= hi;
}

// Everything a save must hold for the stage set-up and the value boxes to work with it; a file
// that fails here is treated as no save at all.
std::optional<SavedGame> read_save() {
    const auto numbers = read_record_numbers(resolve_data_path(kSaveFile), kSaveValueCount);
    if (!numbers) return std::nullopt;
    const std::vector<int>& v = *numbers;
    if (!within(v[0], kFirstStage, kLastStage) || !within(v[1], 0, kLargestValue) ||
        !within(v[2], kSmallestDie, kLargestValue) || !within(v[3], kSmallestDie, kLargestValue)) {
        return std::nullopt;
    }
    SavedGame saved{static_cast<int16_t>(v[0]),
                    static_cast<int16_t>(v[1]),
                    static_cast<int16_t>(v[2]),
                    static_cast<int16_t>(v[3]),
                    {}};
    for (int n = 0; n < kTotalTurnsIndex; ++n) {
        const int turns = v[kHeaderValues + n];
        // A negative count would become an unbeatable record at the next stage clear.
        if (turns < 0) return std::nullopt;
        saved.turns.push_back(static_cast<int16_t>(turns));
    }
    return saved;
}

bool is_notice(const std::string& caption) {
    return caption == kNoUsableSave.source || caption == kNothingToSave.source ||
           caption == kSaveFailed.source;
}

// Says why a load or save did nothing, on whatever the player is looking at: the title has its
// own line, the other screens hide navi and get the line laid over them.
void tell_player(GameForm& form, const Text& notice) {
    if (form.frame_title.is_visible()) {
        form.title_message.set_caption(notice);
        return;
    }
    const bool on_a_screen = form.frame_prologue.is_visible() || form.frame_gameover.is_visible() ||
                             form.frame_gameclear.is_visible() || form.frame_stageclear.is_visible() ||
                             form.frame_epilogue.is_visible();
    if (on_a_screen) {
        form.screen_message.set_caption(notice);
        form.screen_message.set_visible(true);
        form.screen_message.raise();
    } else {
        form.navi.set_caption(notice);
    }
}

}  // namespace

void GameForm::menu_save_Click() {
    // Before the first game there is nothing to keep, and zeros would only destroy a good save.
    if (stage < kFirstStage) {
        tell_player(*this, kNothingToSave);
        return;
    }
    std::vector<int> line2;
    for (int n = 1; n <= kTotalTurnsIndex; ++n) line2.push_back(stage_turns(n));
    const std::vector<int> line1 = {stage, masters(kHuman).hp, masters(kHuman).mp_max,
                                    masters(kHuman).mv_max};
    if (!write_record_lines(resolve_data_path_for_writing(kSaveFile), {line1, line2})) {
        tell_player(*this, kSaveFailed);
        return;
    }
    // A save now exists: no earlier notice may go on saying otherwise.
    title_message.set_caption("");
    screen_message.set_visible(false);
    if (is_notice(navi.caption())) navi.set_caption(kSaved);
}

void GameForm::menu_load_Click() {
    // Checked before anything changes, so a bad file leaves the game and the screen as they were.
    const std::optional<SavedGame> saved = read_save();
    if (!saved) {
        tell_player(*this, kNoUsableSave);
        return;
    }
    show_screen(nullptr);
    stage = saved->stage;
    masters(kHuman).hp = saved->hp;
    masters(kHuman).mp_max = saved->mp_max;
    masters(kHuman).mv_max = saved->mv_max;
    for (int n = 1; n <= kTotalTurnsIndex; ++n) stage_turns(n) = saved->turns[n - 1];
    active_side = kComputer;
    stage_setup();
    show_familiar_info(kHuman, kFirstSlot);
    draw_field(0, 0, 0, 0);
    if (is_notice(navi.caption())) navi.set_caption(kPressStart);
    play_bgm("vr_data\\dice.mid");
}

}  // namespace vr
