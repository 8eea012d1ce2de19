// What every benchmark shares: a pause that never waits, music that stays silent, and a main()
// with an offscreen QApplication and a private copy of vr_data as the current directory, so a
// benchmark that writes records never touches the player's own.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "platform/music_device.h"
#include "platform/services.h"

class InstantPause : public vr::Pause {
public:
    void sleep(int) override {}
};

class SilentMusic : public vr::MusicDevice {
public:
    int send_command(const std::string&, std::string*) override { return 0; }
};

inline int run_game_benchmarks(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    fs::copy(fs::path(BERORAN_SOURCE_DIR) / "vr_data", fs::path(scratch.path().toStdString()) / "vr_data");
    fs::current_path(scratch.path().toStdString());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(BERORAN_SOURCE_DIR);
    return 0;
}

#define GAME_BENCHMARK_MAIN()                   \
    int main(int argc, char** argv) {           \
        return run_game_benchmarks(argc, argv); \
    }
