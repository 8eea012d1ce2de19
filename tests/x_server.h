// A private X server for tests that start the real game, and a way to run the X tools against it.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <filesystem>
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

// One private X server per test, so tests never meet the developer's desktop.
class XServer {
public:
    XServer() {
        display_ = ":" + QString::number(100 + QCoreApplication::applicationPid() % 800);
        // Room for the window at twice its size; at the first start this screen still gives ×1.
        server_.start("Xvfb", {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        server_.waitForStarted(kStartTimeoutMs);
        const std::string socket = "/tmp/.X11-unix/X" + display_.mid(1).toStdString();
        for (int waited = 0; waited < kStartTimeoutMs && !std::filesystem::exists(socket); waited += 50) {
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
    QProcess server_;
    QString display_;
};

}  // namespace vr::test
