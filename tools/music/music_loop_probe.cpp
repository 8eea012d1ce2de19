// music_loop_probe: drives the music device the way the game's one-second timer does, for measuring
// its CPU and memory cost under /usr/bin/time (see README.md).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "platform/music/fluid_music_device.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: music_loop_probe <seconds> <piece.mid> silent|speakers|none\n");
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    const std::string piece = argv[2], output = argv[3];
    // "none" measures the bare process, so the device's own share can be told apart.
    std::unique_ptr<vr::FluidMusicDevice> device;
    if (output != "none") {
        device = std::make_unique<vr::FluidMusicDevice>(
            output == "silent" ? vr::FluidMusicDevice::Output::Silent
                               : vr::FluidMusicDevice::Output::Speakers,
            vr::system_soundfonts(), std::chrono::milliseconds(0), vr::music_rendering_from_environment());
        if (device->send_command("open " + piece + " alias bgmfile ", nullptr) != 0) {
            std::fprintf(stderr, "music_loop_probe: cannot open %s\n", piece.c_str());
            return 1;
        }
    }
    constexpr auto kTimerPeriod = std::chrono::seconds(1);
    int restarts = 0;
    for (int tick = 0; tick < seconds; ++tick) {
        std::string mode = "stopped";
        if (device) device->send_command("status bgmfile mode", &mode);
        if (device && mode == "stopped") {
            device->send_command("seek bgmfile to start", nullptr);
            device->send_command("play bgmfile notify", nullptr);
            ++restarts;
        }
        std::this_thread::sleep_for(kTimerPeriod);
    }
    std::printf("%d s, %d starts\n", seconds, restarts);
    return 0;
}
