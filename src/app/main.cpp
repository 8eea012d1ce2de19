// The program: one window, started once per user.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/game_form.h"
#include "platform/files/instance_lock.h"
#include "platform/music/fluid_music_device.h"
#include "platform/startup/command_line.h"
#include "platform/startup/first_paint_stamp.h"
#include "platform/startup/font_warm_up.h"

namespace {

// The synth waits for the title to be seen, as setting it up beside the window slows both; should
// the first paint never come, it waits this long at most.
constexpr std::chrono::milliseconds kLongestSynthHold{1000};

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer before the lock and the display are needed.
    if (const std::optional<int> status = vr::answer_command_line(argc, argv)) return *status;
    vr::FirstPaintStamp first_paint;  // a figure for bench/startup_bench; silent unless it asks
    vr::InstanceLock lock;
    if (!lock.try_lock()) {
        std::fprintf(stderr, "beroran: another copy is already running\n");
        return 0;
    }
    vr::FontWarmUp fonts;
    QApplication app(argc, argv);

    vr::QtPause pause;
    vr::ClockRandom random;
    auto music = std::make_unique<vr::FluidMusicDevice>(vr::FluidMusicDevice::Output::Speakers,
                                                        vr::system_soundfonts(), kLongestSynthHold,
                                                        vr::music_rendering_from_environment());
    int status = 0;
    {
        vr::GameForm form({pause, random, *music});
        // The title shows while the rest of the pictures load and the synth is set up.
        form.on_title_ready = [&] {
            fonts.wait();
            form.restore_window_scale();
            first_paint.watch(form.title_pic);
            form.show_painted();
            music->release_set_up();
        };
        try {
            form.Form_Load();
        } catch (const vr::StartupError& error) {
            std::fprintf(stderr, "beroran: %s\n", error.what());
            return 1;
        }
        // Closed while the rest was loading: nothing is left to run.
        if (form.isHidden()) return 0;
        status = app.exec();
    }
    // The synth goes before the application does.
    music.reset();
    return status;
}
