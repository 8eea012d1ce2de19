// Start-up as a player meets it: the game and a bare Qt window with one Japanese label, each run as a
// whole process, interleaved; medians of main() to first paint and of peak RSS, and their ratios.
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/fluid_music_device.h"
#include "platform/startup/first_paint_stamp.h"

namespace {

using Clock = std::chrono::steady_clock;

// The game's own window font, so both windows pay for the same Japanese glyphs.
constexpr const char* kFontFamily = "IPAGothic";
constexpr int kFontPixels = 12;
constexpr int kDefaultRuns = 15;
constexpr auto kPaintTimeout = std::chrono::seconds(20);
// A process stays up this long after its first paint, so work started at start-up (the synth)
// counts in its peak memory.
constexpr auto kSettle = std::chrono::milliseconds(1500);
// Each window starts on a quiet machine: the X server and the kernel are still taking the last
// window's process down for a while after it has gone, which would slow whichever window comes
// next (the game, as the runs are ordered, by a fifth).
constexpr auto kQuietBefore = std::chrono::milliseconds(700);
constexpr double kKibPerMib = 1024.0;

// ---- the processes measured ----

int bare_window(int argc, char** argv) {
    vr::FirstPaintStamp first_paint;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("ベロラン");
    window.resize(465, 279);
    QLabel label("開始ボタンを押してください", &window);
    QFont font(kFontFamily);
    font.setPixelSize(kFontPixels);
    label.setFont(font);
    label.move(8, 184);
    window.show();
    first_paint.watch(label);
    return app.exec();
}

// The processes without a window end as the windows do: killed, with no teardown. Returning from
// main() runs the destructors of every library loaded; in a process that did nothing they touch
// 2.2 MiB of pages it never used, which the synth's process has in use anyway, so the synth would
// look that much smaller than it is.
[[noreturn]] void end_without_teardown() {
    std::fflush(stdout);
    _exit(0);
}

// The synth, its soundfont and the sound output the game would get, with nothing else.
[[noreturn]] void synth_alone() {
    vr::FluidMusicDevice music;
    music.wait_until_set_up();
    end_without_teardown();
}

// ---- running one process ----

struct Run {
    double main_to_paint_ms = 0;
    double spawn_to_paint_ms = 0;
    double peak_rss_mib = 0;
};

std::optional<Run> run_once(const std::vector<std::string>& args, bool waits_for_paint) {
    if (waits_for_paint) std::this_thread::sleep_for(kQuietBefore);
    // The runtime folder (the instance lock) on a memory file system, as a desktop session has it.
    const QString runtime_parent =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryDir runtime(runtime_parent + QStringLiteral("/startup_bench-XXXXXX")), home;
    const std::string runtime_path = runtime.path().toStdString(), home_path = home.path().toStdString();
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    const auto spawned = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        // "No sound output" and the like, once per process, would drown the table.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        // Private folders: the instance lock and the settings of each copy stay its own.
        setenv("XDG_RUNTIME_DIR", runtime_path.c_str(), 1);
        setenv("HOME", home_path.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_path.c_str(), 1);
        setenv("BERORAN_FIRST_PAINT_STAMP", "1", 1);
        std::vector<char*> argv;
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    Run run;
    bool painted = !waits_for_paint;
    std::string text;
    while (!painted && Clock::now() - spawned < kPaintTimeout) {
        pollfd wait_for{out[0], POLLIN, 0};
        if (poll(&wait_for, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) break;
        text.append(buffer, static_cast<size_t>(got));
        long long main_ns = 0, paint_ns = 0;
        if (std::sscanf(text.c_str(), "first-paint %lld %lld", &main_ns, &paint_ns) == 2 &&
            text.find('\n') != std::string::npos) {
            run.main_to_paint_ms = (paint_ns - main_ns) / 1e6;
            const long long spawned_ns =
                std::chrono::duration_cast<std::chrono::nanoseconds>(spawned.time_since_epoch()).count();
            run.spawn_to_paint_ms = (paint_ns - spawned_ns) / 1e6;
            painted = true;
        }
    }
    close(out[0]);
    if (waits_for_paint) {
        std::this_thread::sleep_for(kSettle);
        kill(child, SIGTERM);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !painted) return std::nullopt;
    run.peak_rss_mib = usage.ru_maxrss / kKibPerMib;
    return run;
}

// ---- the table ----

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    std::vector<double> main_to_paint, spawn_to_paint, rss;
    void add(const Run& run) {
        main_to_paint.push_back(run.main_to_paint_ms);
        spawn_to_paint.push_back(run.spawn_to_paint_ms);
        rss.push_back(run.peak_rss_mib);
    }
};

int drive(const std::string& self, int runs, const std::string& game) {
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "startup_bench: needs an X display, e.g. xvfb-run -a build/startup_bench\n");
        return 2;
    }
    Series bare, played, synth, nothing;
    for (int i = 0; i < runs; ++i) {
        const auto bare_run = run_once({self, "--bare-window"}, true);
        const auto game_run = run_once({game}, true);
        const auto synth_run = run_once({self, "--synth-alone"}, false);
        const auto nothing_run = run_once({self, "--nothing"}, false);
        if (!bare_run || !game_run || !synth_run || !nothing_run) {
            std::fprintf(stderr, "startup_bench: run %d failed (no first paint within %lld s)\n", i + 1,
                         static_cast<long long>(kPaintTimeout.count()));
            return 1;
        }
        bare.add(*bare_run);
        played.add(*game_run);
        synth.add(*synth_run);
        nothing.add(*nothing_run);
    }
    const double bare_paint = median(bare.main_to_paint), game_paint = median(played.main_to_paint);
    const double bare_rss = median(bare.rss), game_rss = median(played.rss);
    const double synth_rss = median(synth.rss) - median(nothing.rss);
    const char* font = std::getenv("BERORAN_SOUNDFONT");
    std::printf("medians of %d interleaved runs%s%s\n", runs, font ? ", soundfont " : "", font ? font : "");
    std::printf("%-28s %14s %15s %14s\n", "", "main->paint ms", "spawn->paint ms", "peak RSS MiB");
    std::printf("%-28s %14.1f %15.1f %14.1f\n", "bare window, Japanese label", bare_paint,
                median(bare.spawn_to_paint), bare_rss);
    std::printf("%-28s %14.1f %15.1f %14.1f\n", "game, title screen", game_paint,
                median(played.spawn_to_paint), game_rss);
    std::printf("%-28s %14.2f %15.2f %14.2f\n", "ratio game / bare", game_paint / bare_paint,
                median(played.spawn_to_paint) / median(bare.spawn_to_paint), game_rss / bare_rss);
    std::printf("synth with its soundfont alone: %.1f MiB (a process with it %.1f, without %.1f)\n",
                synth_rss, median(synth.rss), median(nothing.rss));
    std::printf("game RSS - (bare + synth alone): %+.1f MiB\n", game_rss - bare_rss - synth_rss);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--bare-window") return bare_window(argc, argv);
    if (mode == "--synth-alone") synth_alone();
    if (mode == "--nothing") end_without_teardown();
    if (mode == "--help") {
        std::printf(
            "usage: startup_bench [runs [game]]   (default %d runs of %s; BERORAN_SOUNDFONT picks a "
            "soundfont)\n",
            kDefaultRuns, BERORAN_GAME_BINARY);
        return 0;
    }
    const int runs = mode.empty() ? kDefaultRuns : std::atoi(mode.c_str());
    if (runs < 1) return 2;
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return 2;
    return drive(std::string(self, static_cast<size_t>(length)), runs,
                 argc > 2 ? argv[2] : BERORAN_GAME_BINARY);
}
