// A private X server for tests that start the real game, and a way to run the X tools against it.
#pragma once

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <string>

namespace vr::test {

inline constexpr int kStartTimeoutMs = 15000;

inline std::string run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.waitForFinished(kStartTimeoutMs);
    return process.readAllStandardOutput().toStdString();
}

// Clicks the first menu of the game's menu bar and waits until it is open, so keys sent next reach
// the menu and not the window (on the title screen Enter would press 最初から).
inline void open_first_menu(const QProcessEnvironment& env, const QString& window, qint64 pid, int menu_bar) {
    run("xdotool", {"mousemove", "--window", window, "20", QString::number(menu_bar / 2), "click", "1"}, env);
    const QStringList game_windows = {"search", "--all", "--onlyvisible", "--pid", QString::number(pid)};
    for (int waited = 0; waited < kStartTimeoutMs; waited += 50) {
        if (QString::fromStdString(run("xdotool", game_windows, env)).trimmed().split('\n').size() >= 2)
            return;
        QThread::msleep(50);
    }
}

// One private X server per test, so tests never meet the developer's desktop.
class XServer {
public:
    XServer() {
        display_ = ":" + QString::number(100 + QCoreApplication::applicationPid() % 800);
        // Room for the window at twice its size; at the first start this screen still gives ×1.
        // -noreset: by default the server resets whenever its last client leaves (a probe, an ended
        // copy, xdotool), and a game connecting during that reset finds no display.
        server_.start("Xvfb", {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
        server_.waitForStarted(kStartTimeoutMs);
        // The socket appears before the server takes clients; a game started then would find no display.
        for (int waited = 0; waited < kStartTimeoutMs && running() && !answers(); waited += 50) {
            QThread::msleep(50);
        }
    }
    ~XServer() {
        server_.terminate();
        server_.waitForFinished();
    }
    bool running() const { return server_.state() == QProcess::Running; }
    std::string errors() { return server_.readAllStandardError().toStdString(); }
    const QString& display() const { return display_; }

private:
    bool answers() const {
        xcb_connection_t* connection = xcb_connect(display_.toLocal8Bit().constData(), nullptr);
        const bool connected = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return connected;
    }

    QProcess server_;
    QString display_;
};

}  // namespace vr::test
