// The real executable: it starts under Xvfb on its title screen, refuses a second copy, stops
// on a missing picture, and closes cleanly from its own menu.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "game_fixture.h"
#include "x_server.h"

namespace vr::test {
namespace {

constexpr int kClientWidth = 465;
constexpr int kClientHeight = 279;

class SmokeTest : public ::testing::Test {
protected:
    SmokeTest() {
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("DISPLAY", x_.display());
        env_.insert("QT_QPA_PLATFORM", "xcb");
        env_.insert("XDG_RUNTIME_DIR", runtime_.path());
    }

    void start_game(QProcess& game) {
        game.setProcessEnvironment(env_);
        game.setWorkingDirectory(QString::fromStdString(std::filesystem::current_path().string()));
        game.start(BERORAN_BINARY, {});
        ASSERT_TRUE(game.waitForStarted(kStartTimeoutMs));
    }

    std::string xdotool(const QStringList& args) { return run("xdotool", args, env_); }

    ScratchDataDir data;
    XServer x_;
    QTemporaryDir runtime_;
    QProcessEnvironment env_;
};

TEST_F(SmokeTest, OpensOnTheTitleScreenAndClosesFromItsMenu) {
    ASSERT_TRUE(x_.running()) << "Xvfb is needed for this test: " << x_.errors();
    QProcess game;
    start_game(game);

    const std::string found = xdotool({"search", "--sync", "--onlyvisible", "--name", "ベロラン"});
    const QString window = QString::fromStdString(found).split('\n').first();
    ASSERT_FALSE(window.isEmpty()) << "the window never appeared";

    const std::string geometry = xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&](const std::string& key) {
        const size_t at = geometry.find(key + "=");
        return at == std::string::npos ? -1 : std::stoi(geometry.substr(at + key.size() + 1));
    };
    EXPECT_EQ(value("WIDTH"), kClientWidth);
    const int menu_bar = value("HEIGHT") - kClientHeight;
    EXPECT_GT(menu_bar, 10) << "the menu bar sits above a 279-pixel client area";
    EXPECT_LT(menu_bar, 40);

    // メニュー, then up from the top wraps to its last item, ゲーム終了.
    xdotool({"mousemove", "--window", window, "20", QString::number(menu_bar / 2), "click", "1"});
    QThread::msleep(300);
    xdotool({"key", "Up", "Return"});
    ASSERT_TRUE(game.waitForFinished(kStartTimeoutMs)) << "the menu did not close the game";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(SmokeTest, ASecondCopyEndsAtOnceAndAStaleLockDoesNotBlock) {
    ASSERT_TRUE(x_.running());
    // A lock left by a copy that crashed long ago (its process id is gone).
    {
        std::ofstream stale(runtime_.path().toStdString() + "/beroran.lock");
        stale << "999999\nberoran\n" << QSysInfo::machineHostName().toStdString() << "\n";
    }
    QProcess first;
    start_game(first);
    ASSERT_FALSE(xdotool({"search", "--sync", "--onlyvisible", "--name", "ベロラン"}).empty());

    QProcess second;
    start_game(second);
    ASSERT_TRUE(second.waitForFinished(kStartTimeoutMs)) << "the second copy kept running";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(second.readAllStandardError().toStdString().find("already running"), std::string::npos);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

TEST_F(SmokeTest, AMissingPictureEndsTheProgramNamingTheFile) {
    std::filesystem::remove(data.path("fld.bmp"));
    QProcess game;
    env_.insert("QT_QPA_PLATFORM", "offscreen");
    start_game(game);
    ASSERT_TRUE(game.waitForFinished(kStartTimeoutMs));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(game.exitCode(), 0);
    EXPECT_NE(game.readAllStandardError().toStdString().find("fld.bmp"), std::string::npos);
}

}  // namespace
}  // namespace vr::test
