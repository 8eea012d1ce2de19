// The music's cost as a player meets it: the game on the board with its piece playing through a
// PulseAudio null sink, beside fluidsynth's own player on the same sink; the game with no sound
// output; and the first note after "play". The synth live and the music from memory side by side.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/fluid_music_device.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Rendering = vr::FluidMusicDevice::Rendering;

constexpr const char* kPiece = "dice.mid";  // the board's piece
constexpr double kPieceSeconds = 58.2;
constexpr int kDefaultSettleSeconds = 20;  // the first render is long done by then
constexpr int kDefaultSteadySeconds = 60;
constexpr int kWindowSeconds = 5;  // CPU is also read per window, to show how much it wanders
constexpr int kFirstNoteTrials = 7;
// The first note: the game plays a piece a second after opening it; a piece played at once after it
// was opened is the worst a switch can meet.
constexpr auto kGamesTimer = std::chrono::seconds(1);
constexpr auto kSilenceBetweenTrials = std::chrono::milliseconds(1500);
constexpr int kAudibleSample = 33;  // -60 dBFS in 16 bits
// Where the game shows which screen it is on: white on the prologue, the board's green on the board.
constexpr int kClientHeight = 279;
constexpr int kMarginX = 2, kMarginY = 100;
constexpr QRgb kPrologue = qRgb(255, 255, 255);
constexpr QRgb kBoard = qRgb(204, 255, 153);
constexpr int kWindowSpacing = 500;
constexpr double kKibPerMib = 1024.0;

// ---- processes ----

struct Process {
    pid_t pid = -1;
    std::string name;
};

Process spawn(const std::string& name, const std::vector<std::string>& args,
              const std::vector<std::pair<std::string, std::string>>& env, const std::string& cwd) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        for (const auto& [key, value] : env) setenv(key.c_str(), value.c_str(), 1);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return {pid, name};
}

void end(const Process& process) {
    kill(process.pid, SIGTERM);
    waitpid(process.pid, nullptr, 0);
}

// User and system time the process has consumed, all its threads together.
double cpu_seconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    // After the name: state is field 3, utime 14, stime 15.
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14) utime = std::stoll(field);
        if (number == 15) stime = std::stoll(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double rss_mib(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / kKibPerMib;
    }
    return 0;
}

std::string run_text(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        pclose(pipe);
    }
    return text;
}

// ---- the game, driven to the board by keys as a player would ----

struct Game {
    int slot = 0;  // where its window goes on the screen
    Process process;
    QTemporaryDir home;
    Clock::time_point on_board;
};

bool start_on_board(Game& game, const std::string& binary, const std::string& data_dir, Rendering rendering,
                    const std::vector<std::pair<std::string, std::string>>& extra_env) {
    auto env = extra_env;
    const std::string home = game.home.path().toStdString();
    env.insert(env.end(), {{"HOME", home},
                           {"XDG_CONFIG_HOME", home + "/config"},
                           {"XDG_DATA_HOME", home + "/data"},
                           {"XDG_RUNTIME_DIR", home},
                           {"QT_QPA_PLATFORM", "xcb"},
                           {"BERORAN_MUSIC_RENDERING", rendering == Rendering::Live ? "live" : "memory"}});
    game.process = spawn(rendering == Rendering::Live ? "game, synth live" : "game, from memory", {binary},
                         env, data_dir);
    const std::string search = "xdotool search --all --onlyvisible --pid " +
                               std::to_string(game.process.pid) + " --name ベロラン 2>/dev/null";
    std::string window;
    for (int tries = 0; tries < 200 && window.empty(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        window = run_text(search);
        window = window.substr(0, window.find('\n'));
    }
    if (window.empty()) return false;
    const std::string geometry = run_text("xdotool getwindowgeometry --shell " + window);
    const size_t height_at = geometry.find("HEIGHT=");
    if (height_at == std::string::npos) return false;
    const int menu_bar = std::stoi(geometry.substr(height_at + 7)) - kClientHeight;
    // Side by side with the pointer over it: the screen is where its pixels are read from.
    run_text("xdotool windowmove " + window + " " + std::to_string(game.slot * kWindowSpacing) +
             " 0 mousemove --window " + window + " 10 10");
    // Enter presses 最初から on the title, then スタート on the prologue, as soon as each is up.
    for (const QRgb next : {kPrologue, kBoard}) {
        bool there = false;
        for (int tries = 0; tries < 20 && !there; ++tries) {
            run_text("xdotool windowfocus --sync " + window + " key Return");
            for (int looks = 0; looks < 10 && !there; ++looks) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                const QImage spot = QGuiApplication::primaryScreen()
                                        ->grabWindow(std::stoul(window), kMarginX, menu_bar + kMarginY, 1, 1)
                                        .toImage();
                there = !spot.isNull() && spot.pixel(0, 0) == next;
            }
        }
        if (!there) return false;
    }
    game.on_board = Clock::now();
    return true;
}

// ---- CPU over time ----

struct Usage {
    double after_render = 0;  // % of a core, from the settled start to the end of the steady part
    double window_low = 1e9, window_high = 0;
    double from_start = 0;  // % of a core, from the piece's start to the end of the run
    double rss = 0;
};

// Reads every process's CPU at its start, when settled, every window, and at the end.
std::vector<Usage> measure(const std::vector<std::pair<pid_t, Clock::time_point>>& processes, int settle,
                           int steady, int total) {
    const auto sleep_until = [](Clock::time_point when) { std::this_thread::sleep_until(when); };
    std::vector<Usage> usage(processes.size());
    std::vector<double> at_start(processes.size()), settled(processes.size()), window(processes.size());
    for (size_t i = 0; i < processes.size(); ++i) at_start[i] = cpu_seconds(processes[i].first);
    const auto first = processes.front().second;
    sleep_until(first + std::chrono::seconds(settle));
    for (size_t i = 0; i < processes.size(); ++i) settled[i] = window[i] = cpu_seconds(processes[i].first);
    for (int at = kWindowSeconds; at <= steady; at += kWindowSeconds) {
        sleep_until(first + std::chrono::seconds(settle + at));
        for (size_t i = 0; i < processes.size(); ++i) {
            const double now = cpu_seconds(processes[i].first);
            const double percent = 100 * (now - window[i]) / kWindowSeconds;
            usage[i].window_low = std::min(usage[i].window_low, percent);
            usage[i].window_high = std::max(usage[i].window_high, percent);
            window[i] = now;
        }
    }
    for (size_t i = 0; i < processes.size(); ++i) {
        usage[i].after_render = 100 * (window[i] - settled[i]) / steady;
        usage[i].rss = rss_mib(processes[i].first);
    }
    const int run = std::max(total, settle + steady);
    sleep_until(first + std::chrono::seconds(run));
    for (size_t i = 0; i < processes.size(); ++i) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - processes[i].second).count();
        usage[i].from_start = 100 * (cpu_seconds(processes[i].first) - at_start[i]) / elapsed;
    }
    return usage;
}

// ---- the first note, heard at the null sink's monitor ----

class MonitorListener {
public:
    MonitorListener() {
        int out[2];
        if (pipe(out) != 0) return;
        recorder_ = fork();
        if (recorder_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execlp("parec", "parec", "-d", "@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--channels=1",
                   "--rate=44100", "--latency-msec=5", nullptr);
            _exit(127);
        }
        close(out[1]);
        fd_ = out[0];
        reader_ = std::thread([this] { listen(); });
        // The recorder's first second comes in bursts; by now it keeps time.
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    ~MonitorListener() {
        stop_ = true;
        kill(recorder_, SIGTERM);
        reader_.join();
        close(fd_);
        waitpid(recorder_, nullptr, 0);
    }
    // Listens from now on; the time of the first audible sample, if one comes within `limit`.
    std::optional<Clock::time_point> first_sound_after(Clock::time_point since, std::chrono::seconds limit) {
        {
            const std::lock_guard lock(mutex_);
            since_ = since;
            heard_.reset();
        }
        while (Clock::now() < since + limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const std::lock_guard lock(mutex_);
            if (heard_) return heard_;
        }
        return std::nullopt;
    }

private:
    void listen() {
        std::vector<int16_t> samples(1024);
        while (!stop_) {
            pollfd ready{fd_, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0) continue;
            const ssize_t got = read(fd_, samples.data(), samples.size() * sizeof(int16_t));
            if (got <= 0) break;
            const auto arrived = Clock::now();
            int waiting = 0;
            ioctl(fd_, FIONREAD, &waiting);
            const size_t count = static_cast<size_t>(got) / sizeof(int16_t);
            const size_t behind = static_cast<size_t>(waiting) / sizeof(int16_t);
            const std::lock_guard lock(mutex_);
            for (size_t i = 0; i < count && !heard_; ++i) {
                // Each sample's time: the last one still in the pipe was captured just now.
                const auto when =
                    arrived - std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>((count - i + behind) / vr::kSampleRate));
                if (when > since_ && std::abs(samples[i]) > kAudibleSample) heard_ = when;
            }
        }
    }

    pid_t recorder_ = -1;
    int fd_ = -1;
    std::thread reader_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    Clock::time_point since_ = Clock::time_point::max();
    std::optional<Clock::time_point> heard_;
};

struct FirstNotes {
    std::vector<double> after_a_second, at_once;  // ms from "play" to the first sound at the monitor
};

FirstNotes first_notes(Rendering rendering, const std::string& piece, MonitorListener& monitor) {
    vr::FluidMusicDevice device(vr::FluidMusicDevice::Output::Speakers, vr::system_soundfonts(),
                                std::chrono::milliseconds(0), rendering);
    device.wait_until_set_up();
    FirstNotes notes;
    for (int trial = 0; trial < 2 * kFirstNoteTrials; ++trial) {
        const bool at_once = trial % 2 == 1;
        device.send_command("open " + piece + " alias bgmfile", nullptr);
        if (!at_once) std::this_thread::sleep_for(kGamesTimer);
        const auto played = Clock::now();
        device.send_command("play bgmfile notify", nullptr);
        const auto heard = monitor.first_sound_after(played, std::chrono::seconds(3));
        if (heard) {
            (at_once ? notes.at_once : notes.after_a_second)
                .push_back(std::chrono::duration<double, std::milli>(*heard - played).count());
        }
        device.send_command("stop bgmfile ", nullptr);
        device.send_command("close bgmfile ", nullptr);
        std::this_thread::sleep_for(kSilenceBetweenTrials);
    }
    return notes;
}

std::string median_range(std::vector<double> values) {
    if (values.empty()) return "never heard";
    std::sort(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, "%.0f (%.0f-%.0f)", values[values.size() / 2], values.front(),
                  values.back());
    return text;
}

// ---- the table ----

int drive(const std::string& game_binary, int settle, int steady, int total) {
    if (std::getenv("DISPLAY") == nullptr || run_text("pactl info 2>/dev/null").empty()) {
        std::fprintf(
            stderr,
            "music_bench: needs an X display and a PulseAudio server with a null sink as its default "
            "(see README.md), e.g. xvfb-run -a build/music_bench\n");
        return 2;
    }
    const std::string soundfont = vr::system_soundfonts().front();
    std::error_code error;
    const std::string font = fs::exists(soundfont, error) ? soundfont : vr::system_soundfonts().back();
    QTemporaryDir scratch;
    const std::string data_dir = scratch.path().toStdString();
    fs::copy(fs::path(BERORAN_SOURCE_DIR) / "vr_data", fs::path(data_dir) / "vr_data");
    const std::string piece = data_dir + "/vr_data/" + kPiece;
    std::printf("music_bench: %s; %d s to settle, %d s measured%s; soundfont %s\n", kPiece, settle, steady,
                total > 0 ? (", " + std::to_string(total) + " s from the start").c_str() : "", font.c_str());

    // The sink: fluidsynth's own player (no effects, 512-frame periods) and both ways of the game, at once.
    std::vector<std::string> player = {"fluidsynth", "-q",  "-n", "-i",    "-a", "pulseaudio",
                                       "-z",         "512", "-R", "0",     "-C", "0",
                                       "-g",         "0.5", "-r", "44100", font};
    const int loops = static_cast<int>(std::max(total, settle + steady) / kPieceSeconds) + 2;
    for (int loop = 0; loop < loops; ++loop) player.push_back(piece);
    Process fluidsynth = spawn("fluidsynth's player", player, {}, "");
    const auto player_start = Clock::now();
    Game live, memory;
    memory.slot = 1;
    const bool started = start_on_board(live, game_binary, data_dir, Rendering::Live, {}) &&
                         start_on_board(memory, game_binary, data_dir, Rendering::FromMemory, {});
    if (!started) {
        for (const Process* process : {&fluidsynth, &live.process, &memory.process}) end(*process);
        std::fprintf(stderr, "music_bench: a game never reached the board\n");
        return 1;
    }
    const auto sink = measure({{memory.process.pid, memory.on_board},
                               {live.process.pid, live.on_board},
                               {fluidsynth.pid, player_start}},
                              settle, steady, total);
    for (const Process* process : {&fluidsynth, &live.process, &memory.process}) end(*process);

    std::printf(
        "\nthrough the PulseAudio null sink  CPU %% after the first render  (%d-s windows)  "
        "CPU %% from the start  RSS MiB\n",
        kWindowSeconds);
    const char* names[] = {"game, from memory", "game, synth live", "fluidsynth's player"};
    for (size_t i = 0; i < sink.size(); ++i) {
        std::printf("%-32s  %27.2f  (%5.2f-%5.2f)  %20.2f  %7.1f\n", names[i], sink[i].after_render,
                    sink[i].window_low, sink[i].window_high, sink[i].from_start, sink[i].rss);
    }
    std::printf("%-32s  %27.2f  %35.2f\n", "from memory / fluidsynth's",
                sink[0].after_render / sink[2].after_render, sink[0].from_start / sink[2].from_start);
    std::printf("%-32s  %27.2f  %35.2f\n", "synth live / fluidsynth's",
                sink[1].after_render / sink[2].after_render, sink[1].from_start / sink[2].from_start);

    // No sound output: the game alone, both ways at once.
    const std::vector<std::pair<std::string, std::string>> no_server = {
        {"PULSE_SERVER", "unix:/nonexistent"}};
    Game silent_live, silent_memory;
    silent_memory.slot = 1;
    if (start_on_board(silent_live, game_binary, data_dir, Rendering::Live, no_server) &&
        start_on_board(silent_memory, game_binary, data_dir, Rendering::FromMemory, no_server)) {
        const auto silent = measure({{silent_memory.process.pid, silent_memory.on_board},
                                     {silent_live.process.pid, silent_live.on_board}},
                                    settle, steady, 0);
        std::printf("\nno sound output, board with BGM    CPU %% after %d s  (%d-s windows)  RSS MiB\n",
                    settle, kWindowSeconds);
        for (size_t i = 0; i < silent.size(); ++i) {
            std::printf("%-32s  %14.2f  (%5.2f-%5.2f)  %7.1f\n", names[i], silent[i].after_render,
                        silent[i].window_low, silent[i].window_high, silent[i].rss);
        }
    }
    for (const auto* process : {&silent_live.process, &silent_memory.process}) {
        if (process->pid > 0) end(*process);
    }

    // The first note, heard at the sink's monitor: the same delay of capture in both.
    MonitorListener monitor;
    std::printf(
        "\nfirst note after \"play\", ms at the monitor, median (range) of %d  "
        "a second after open  at once after open\n",
        kFirstNoteTrials);
    for (const auto rendering : {Rendering::FromMemory, Rendering::Live}) {
        const auto notes = first_notes(rendering, piece, monitor);
        std::printf("%-32s  %41s  %18s\n", rendering == Rendering::Live ? names[1] : names[0],
                    median_range(notes.after_a_second).c_str(), median_range(notes.at_once).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--help") {
        std::printf(
            "usage: music_bench [settle_s [steady_s [total_s [game]]]]   (defaults %d %d 0 %s)\n"
            "Runs under X (xvfb-run -a) with a PulseAudio server whose default sink is a null sink;\n"
            "BERORAN_SOUNDFONT picks the soundfont of the game and of fluidsynth's player.\n",
            kDefaultSettleSeconds, kDefaultSteadySeconds, BERORAN_GAME_BINARY);
        return 0;
    }
    const int settle = argc > 1 ? std::atoi(argv[1]) : kDefaultSettleSeconds;
    const int steady = argc > 2 ? std::atoi(argv[2]) : kDefaultSteadySeconds;
    const int total = argc > 3 ? std::atoi(argv[3]) : 0;
    if (settle < 0 || steady < kWindowSeconds || total < 0) return 2;
    // Only to look at the games' windows.
    QGuiApplication app(argc, argv);
    return drive(argc > 4 ? argv[4] : BERORAN_GAME_BINARY, settle, steady, total);
}
