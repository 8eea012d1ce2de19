// A GameForm built for tests: an instant pause that records its durations, scripted dice that
// fail the test when they run out, a recording music device, and a private vr_data directory.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game_form.h"

namespace vr::test {

class InstantPause : public Pause {
public:
    void sleep(int milliseconds) override {
        pauses.push_back(milliseconds);
        if (on_sleep) on_sleep();
    }
    std::vector<int> pauses;
    std::function<void()> on_sleep;  // looks at the window in the middle of a handler
};

class ScriptedRandom : public RandomSource {
public:
    float rnd() override;
    void randomize() override {}
    void script(std::initializer_list<float> values) { values_.insert(values_.end(), values); }
    size_t remaining() const { return values_.size(); }

private:
    std::deque<float> values_;
};

class RecordingMusicDevice : public MusicDevice {
public:
    int send_command(const std::string& command, std::string* reply) override;
    std::string soundfont_file() override { return soundfont; }
    Hearing hearing() override { return heard; }
    std::vector<std::string> commands;
    std::string mode = "stopped";  // what "status ... mode" answers
    std::string soundfont;         // the soundfont it says it plays with
    Hearing heard = Hearing::Heard;
};

// Copies every committed picture and tune into a fresh directory and makes it current, so the
// game reads and writes its own vr_data there and never touches the real one.
class ScratchDataDir {
public:
    ScratchDataDir();
    ~ScratchDataDir();
    std::string path(const std::string& file) const;  // a file inside the scratch vr_data

private:
    QTemporaryDir dir_;
    std::string previous_cwd_;
};

class GameTest : public ::testing::Test {
protected:
    GameTest();

    // Sets up stage n as a new game or a load would: side 2 active, the board drawn.
    void begin_stage(int n);

    // Places Familiars from a one-line picture of squares 0..13, e.g.
    // "M . r0 . b2 . . . . . . . . M": rN is side 1's slot N, bN side 2's, "." an empty square,
    // M a Master's square. Every Familiar not named goes home.
    void scene(const std::string& picture);
    // The field as scene() writes it.
    std::string field() const;

    ScratchDataDir data;
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
    std::unique_ptr<GameForm> form;
};

}  // namespace vr::test
