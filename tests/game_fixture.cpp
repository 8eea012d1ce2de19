// The test GameForm and its replaceable services.
#include "game_fixture.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <sstream>

namespace vr::test {

namespace fs = std::filesystem;

float ScriptedRandom::rnd() {
    if (values_.empty()) {
        ADD_FAILURE() << "the rules drew more random values than the test scripted";
        return 0.0f;
    }
    const float value = values_.front();
    values_.pop_front();
    return value;
}

int RecordingMusicDevice::send_command(const std::string& command, std::string* reply) {
    commands.push_back(command);
    if (reply && command.rfind("status", 0) == 0) *reply = mode;
    return 0;
}

ScratchDataDir::ScratchDataDir() : previous_cwd_(fs::current_path().string()) {
    const fs::path source = fs::path(BERORAN_SOURCE_DIR) / "vr_data";
    const fs::path target = fs::path(dir_.path().toStdString()) / "vr_data";
    fs::create_directories(target);
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".bmp" || ext == ".mid") fs::copy_file(entry.path(), target / entry.path().filename());
    }
    fs::current_path(dir_.path().toStdString());
}

ScratchDataDir::~ScratchDataDir() {
    fs::current_path(previous_cwd_);
}

std::string ScratchDataDir::path(const std::string& file) const {
    return (fs::path(dir_.path().toStdString()) / "vr_data" / file).string();
}

GameTest::GameTest() : form(std::make_unique<GameForm>(GameServices{pause, dice, music})) {
    form->Form_Load();
}

void GameTest::begin_stage(int n) {
    // The way into a stage lifts every screen, or the board's controls would not answer.
    form->show_screen(nullptr);
    form->stage = static_cast<int16_t>(n);
    form->active_side = kComputer;
    form->stage_setup();
    form->show_familiar_info(kHuman, 0);
    form->draw_field(0, 0, 0, 0);
}

void GameTest::scene(const std::string& picture) {
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = 0; slot <= kLastSlot; ++slot) form->familiars(side, slot).square = home_square(side);
    }
    std::istringstream in(picture);
    std::string token;
    int square = 0;
    while (in >> token) {
        if (token != "." && token != "M") {
            const int side = token[0] == 'r' ? kHuman : kComputer;
            ASSERT_TRUE((token[0] == 'r' || token[0] == 'b') && token.size() == 2)
                << "bad scene token " << token;
            form->familiars(side, token[1] - '0').square = static_cast<int16_t>(square);
        }
        ++square;
    }
    ASSERT_EQ(square, kComputerHome + 1) << "a scene names squares 0..13";
}

std::string GameTest::field() const {
    std::string out;
    for (int square = kHumanHome; square <= kComputerHome; ++square) {
        std::string token = (square == kHumanHome || square == kComputerHome) ? "M" : ".";
        for (int side = kHuman; side <= kComputer; ++side) {
            for (int slot = 0; slot <= kLastSlot; ++slot) {
                if (on_field(square) && form->familiars(side, slot).square == square) {
                    token = (side == kHuman ? "r" : "b") + std::to_string(slot);
                }
            }
        }
        out += (square ? " " : "") + token;
    }
    return out;
}

}  // namespace vr::test
