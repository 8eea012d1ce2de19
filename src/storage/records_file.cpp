// The records file: the fewest turns per stage and for the whole campaign, shown in the menu.
#include <cstdio>
#include <filesystem>

#include "app/game_form.h"
#include "platform/files/paths.h"
#include "platform/files/record_file.h"

namespace vr {

namespace {

constexpr const char* kRecordsFile = "vr_data\\vrrec.txt";
constexpr int kRecordCount = 9;
// Stands in for a record nobody has set yet: any real clear beats it.
constexpr int16_t kNoRecord = 999;

// Each stage's line of the menu 最短記録, translated whole as the stage numbers are written in
// full-width digits.
constexpr MarkedText kStageRecordCaptions[] = {
    VR_TEXT("Window", "ステージ１…%1"), VR_TEXT("Window", "ステージ２…%1"),
    VR_TEXT("Window", "ステージ３…%1"), VR_TEXT("Window", "ステージ４…%1"),
    VR_TEXT("Window", "ステージ５…%1"), VR_TEXT("Window", "ステージ６…%1"),
    VR_TEXT("Window", "ステージ７…%1"), VR_TEXT("Window", "ステージ８…%1")};

}  // namespace

void GameForm::load_records() {
    const auto numbers = read_record_numbers(resolve_data_path(kRecordsFile), kRecordCount);
    // The records must never stop the game: a missing or damaged file starts fresh records,
    // and the next new record writes a correct file.
    bool usable = numbers.has_value();
    if (usable) {
        for (int value : *numbers) usable = usable && value >= 0;
    }
    // A fresh installation has no records file yet; only a damaged one is worth a word.
    std::error_code error;
    if (!usable && std::filesystem::exists(resolve_data_path(kRecordsFile), error)) {
        std::fprintf(stderr, "beroran: no usable records in %s; starting with fresh records\n",
                     resolve_data_path(kRecordsFile).c_str());
    }
    for (int n = 1; n <= kRecordCount; ++n) {
        best_turns(n) = usable ? static_cast<int16_t>((*numbers)[n - 1]) : kNoRecord;
    }
    show_record_captions();
}

void GameForm::show_record_captions() {
    for (int n = 1; n <= kLastStage; ++n) stg(n)->set_caption(kStageRecordCaptions[n - 1].arg(best_turns(n)));
    sum->set_caption(VR_TEXT("Window", "総ターン…%1").arg(best_turns(kTotalTurnsIndex)));
}

Text GameForm::update_record(int n) {
    Text message;
    if (stage_turns(n) < best_turns(n)) {
        message =
            n <= kLastStage
                ? VR_TEXT("Screens", "最短記録を更新！\r\nステージ%1\r\n%2→%3").arg(n).arg(best_turns(n))
                : VR_TEXT("Screens", "最短記録を更新！\r\n総ターン\r\n%1→%2").arg(best_turns(n));
        message = message.arg(stage_turns(n));
        best_turns(n) = stage_turns(n);
        std::vector<int> record;
        for (int i = 1; i <= kRecordCount; ++i) record.push_back(best_turns(i));
        if (!write_record_lines(resolve_data_path_for_writing(kRecordsFile), {record})) {
            // Kept in memory for this session; the player learns why it will not last.
            message = Text("%1\r\n%2").arg(message).arg(VR_TEXT("Screens", "（記録を保存できません）"));
        }
        show_record_captions();
    }
    return message;
}

}  // namespace vr
