// Background music: one looping piece at a time, driven by command strings and a one-second timer.
#include <algorithm>
#include <cctype>

#include "app/game_form.h"
#include "platform/files/paths.h"

namespace vr {

namespace {

constexpr size_t kStatusReplyLength = 16;
constexpr size_t kModeLength = 7;  // as long as "STOPPED"

}  // namespace

int GameForm::mciSendString(const std::string& command, std::string* reply) {
    return music.send_command(command, reply);
}

void GameForm::play_bgm(const std::string& file) {
    mciSendString("stop bgmfile ");
    mciSendString("close bgmfile ");
    std::string path = program_directory() + "\\" + file;
    // A directory with blanks would split the command; quoting keeps it one path.
    if (path.find(' ') != std::string::npos) path = "\"" + path + "\"";
    mciSendString("open " + path + " alias bgmfile ");
    miditimer.set_enabled(menu_bgm_on_off->checked());
}

void GameForm::miditimer_Timer() {
    std::string reply(kStatusReplyLength, ' ');
    mciSendString("status bgmfile mode", &reply);
    reply.resize(std::max(reply.size(), kModeLength), ' ');
    std::string mode = reply.substr(0, kModeLength);
    std::transform(mode.begin(), mode.end(), mode.begin(), [](unsigned char c) { return std::toupper(c); });
    if (mode == "STOPPED") {
        miditimer.set_enabled(false);
        mciSendString("seek bgmfile to start");
        mciSendString("play bgmfile notify");
        miditimer.set_enabled(true);
    }
}

void GameForm::menu_bgm_on_off_Click() {
    if (menu_bgm_on_off->checked()) {
        menu_bgm_on_off->set_checked(false);
        mciSendString("stop bgmfile ");
        miditimer.set_enabled(false);
    } else {
        menu_bgm_on_off->set_checked(true);
        miditimer.set_enabled(true);
    }
}

void GameForm::Form_QueryUnload() {
    miditimer.set_enabled(false);
    mciSendString("stop bgmfile ");
    mciSendString("close bgmfile wait");
}

}  // namespace vr
