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

const char* const kFullWidthDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

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
    for (int n = 1; n <= kLastStage; ++n) {
        stg(n)->set_caption(std::string("ステージ") + kFullWidthDigits[n] + "…" +
                            std::to_string(best_turns(n)));
    }
    sum->set_caption("総ターン…" + std::to_string(best_turns(kTotalTurnsIndex)));
}

std::string GameForm::update_record(int n) {
    std::string message;
    if (stage_turns(n) < best_turns(n)) {
        const std::string what = n <= kLastStage ? "ステージ" + std::to_string(n) : std::string("総ターン");
        message = "最短記録を更新！\r\n" + what + "\r\n" + std::to_string(best_turns(n)) + "→" +
                  std::to_string(stage_turns(n));
        best_turns(n) = stage_turns(n);
        std::vector<int> record;
        for (int i = 1; i <= kRecordCount; ++i) record.push_back(best_turns(i));
        if (!write_record_lines(resolve_data_path_for_writing(kRecordsFile), {record})) {
            // Kept in memory for this session; the player learns why it will not last.
            message += "\r\n（記録を保存できません）";
        }
        show_record_captions();
    }
    return message;
}

}  // namespace vr
