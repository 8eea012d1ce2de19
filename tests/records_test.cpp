// The records file: read at start-up into the menu, rewritten on each new record, and never a
// reason for the game to stop.
#include <filesystem>
#include <fstream>

#include "game_fixture.h"

namespace vr::test {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class RecordsTest : public GameTest {
protected:
    void write_records(const std::string& contents) {
        std::ofstream(data.path("vrrec.txt"), std::ios::binary) << contents;
        form->load_records();
    }
};

TEST_F(RecordsTest, RecordsFillTheMenuWithFullWidthStageNumbers) {
    write_records("12,15,20,18,25,22,30,28,170\r\n");
    EXPECT_EQ(form->best_turns(3), 20);
    EXPECT_EQ(form->stg(1)->caption(), "ステージ１…12");
    EXPECT_EQ(form->stg(3)->caption(), "ステージ３…20");
    EXPECT_EQ(form->stg(8)->caption(), "ステージ８…28");
    EXPECT_EQ(form->sum->caption(), "総ターン…170");
}

TEST_F(RecordsTest, ANewRecordIsAnnouncedWrittenAndShown) {
    write_records("12 15 20\n18 25 22 30 28 170");
    form->stage_turns(3) = 17;
    EXPECT_EQ(form->update_record(3).source(), "最短記録を更新！\r\nステージ3\r\n20→17");
    EXPECT_EQ(form->best_turns(3), 17);
    EXPECT_EQ(read_file(data.path("vrrec.txt")), "12,15,17,18,25,22,30,28,170\r\n");
    EXPECT_EQ(form->stg(3)->caption(), "ステージ３…17");

    form->stage_turns(9) = 150;
    EXPECT_EQ(form->update_record(9).source(), "最短記録を更新！\r\n総ターン\r\n170→150");
    EXPECT_EQ(form->sum->caption(), "総ターン…150");
}

TEST_F(RecordsTest, ATieOrWorseIsNoRecordAndLeavesTheFileAlone) {
    write_records("12,15,20,18,25,22,30,28,170");  // no line end: read all the same
    for (int turns : {20, 21}) {
        form->stage_turns(3) = static_cast<int16_t>(turns);
        EXPECT_EQ(form->update_record(3).source(), "") << turns;
    }
    EXPECT_EQ(read_file(data.path("vrrec.txt")), "12,15,20,18,25,22,30,28,170");
}

TEST_F(RecordsTest, AMissingOrDamagedFileStartsFreshRecordsThatARealClearBeats) {
    const char* const damaged[] = {nullptr, "", "12,15,20\r\n", "12,15,abc,18,25,22,30,28,170\r\n",
                                   "-1,15,20,18,25,22,30,28,170\r\n"};
    for (const char* contents : damaged) {
        std::filesystem::remove(data.path("vrrec.txt"));
        if (contents) std::ofstream(data.path("vrrec.txt"), std::ios::binary) << contents;
        form->load_records();
        form->stage_turns(1) = 40;
        EXPECT_NE(form->update_record(1).source(), "") << (contents ? contents : "missing file");
        const auto rewritten = read_file(data.path("vrrec.txt"));
        EXPECT_EQ(rewritten.substr(0, 3), "40,") << "a correct file is written at the next record";
        EXPECT_EQ(rewritten.substr(rewritten.size() - 2), "\r\n");
    }
}

TEST_F(RecordsTest, AnUnwritableFileKeepsTheRecordInMemoryAndSaysSo) {
    write_records("12,15,20,18,25,22,30,28,170\r\n");
    // Replace the file by a directory of the same name: no file can be written there.
    std::filesystem::remove(data.path("vrrec.txt"));
    std::filesystem::create_directory(data.path("vrrec.txt"));
    form->stage_turns(2) = 9;
    const std::string message = form->update_record(2).source();
    EXPECT_EQ(message.substr(0, message.find("\r\n")), "最短記録を更新！");
    EXPECT_NE(message.find("保存できません"), std::string::npos) << message;
    EXPECT_EQ(form->best_turns(2), 9);
    EXPECT_EQ(form->stg(2)->caption(), "ステージ２…9");
}

}  // namespace
}  // namespace vr::test
