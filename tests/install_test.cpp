// The installed game: `cmake --install` into a scratch root, started from an unrelated folder with
// a scratch home. Its save lands in the player's data folder only, and a second start continues it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game_fixture.h"
#include "x_server.h"

namespace vr::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSaveWaitMs = 5000;
constexpr char kAppId[] = "io.github.beroran.beroran";

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ino_t inode(const fs::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::vector<fs::path> saves_under(const fs::path& root) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() == "vrdat.txt") found.push_back(entry.path());
    }
    return found;
}

// GameTest supplies a form laid out like the real one, so clicks aim at its controls' centres.
class InstalledGameTest : public GameTest {
protected:
    InstalledGameTest() : root_(scratch_.filePath("root").toStdString()) {
        for (const char* folder : {"elsewhere", "home", "data", "config", "cache", "runtime"})
            fs::create_directories(scratch_.filePath(folder).toStdString());
        fs::permissions(scratch_.filePath("runtime").toStdString(), fs::perms::owner_all);
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("DISPLAY", x_.display());
        env_.insert("QT_QPA_PLATFORM", "xcb");
        env_.insert("HOME", scratch_.filePath("home"));
        env_.insert("XDG_DATA_HOME", scratch_.filePath("data"));
        env_.insert("XDG_CONFIG_HOME", scratch_.filePath("config"));
        env_.insert("XDG_CACHE_HOME", scratch_.filePath("cache"));
        env_.insert("XDG_RUNTIME_DIR", scratch_.filePath("runtime"));
    }

    void install() {
        QProcessEnvironment env = env_;
        env.insert("DESTDIR", QString::fromStdString(root_.string()));
        QProcess cmake;
        cmake.setProcessEnvironment(env);
        cmake.start(BERORAN_CMAKE, {"--install", BERORAN_BUILD_DIR, "--prefix", "/usr"});
        ASSERT_TRUE(cmake.waitForFinished(60000));
        ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAllStandardError().toStdString();
    }

    // Starts the installed binary from the unrelated folder and waits for its window.
    void start(QProcess& game) {
        game.setProcessEnvironment(env_);
        game.setWorkingDirectory(scratch_.filePath("elsewhere"));
        game.start(QString::fromStdString((root_ / "usr/bin/beroran").string()), {});
        ASSERT_TRUE(game.waitForStarted(kStartTimeoutMs));
        const std::string found = xdotool({"search", "--sync", "--onlyvisible", "--name", "ベロラン"});
        window_ = QString::fromStdString(found).split('\n').first();
        ASSERT_FALSE(window_.isEmpty()) << "the window never appeared";
        const std::string geometry = xdotool({"getwindowgeometry", "--shell", window_});
        const size_t at = geometry.find("HEIGHT=");
        ASSERT_NE(at, std::string::npos);
        menu_bar_ = std::stoi(geometry.substr(at + 7)) - form->client()->height();
    }

    void click(const QWidget& control) {
        const QPoint centre = control.mapTo(form->client(), control.rect().center());
        xdotool({"mousemove", "--window", window_, QString::number(centre.x()),
                 QString::number(menu_bar_ + centre.y()), "click", "1"});
        QThread::msleep(300);
    }

    // メニュー, then the menu's items from the top: タイトルに戻る, セーブ.
    void menu_save(const QProcess& game) {
        open_first_menu(env_, window_, game.processId(), menu_bar_);
        xdotool({"key", "Down", "Down", "Return"});
    }

    void quit(QProcess& game) {
        open_first_menu(env_, window_, game.processId(), menu_bar_);
        xdotool({"key", "Up", "Return"});
        ASSERT_TRUE(game.waitForFinished(kStartTimeoutMs)) << "the menu did not close the game";
    }

    std::string xdotool(const QStringList& args) { return run("xdotool", args, env_); }

    QTemporaryDir scratch_;
    fs::path root_;
    XServer x_;
    QProcessEnvironment env_;
    QString window_;
    int menu_bar_ = 0;
};

TEST_F(InstalledGameTest, SavesInThePlayersDataFolderAndContinuesFromItOnTheNextStart) {
    ASSERT_TRUE(x_.running()) << "Xvfb is needed for this test: " << x_.errors();
    ASSERT_NO_FATAL_FAILURE(install());
    const fs::path share = root_ / "usr/share";
    EXPECT_TRUE(fs::exists(share / "beroran/vr_data/fld.bmp"));
    EXPECT_TRUE(fs::exists(share / "beroran/vr_data/dice.mid"));
    for (const auto& entry : fs::directory_iterator(share / "beroran/vr_data"))
        EXPECT_NE(entry.path().extension(), ".txt") << "no save or records is installed: " << entry.path();
    EXPECT_TRUE(fs::exists(share / "applications" / (std::string(kAppId) + ".desktop")));
    EXPECT_TRUE(fs::exists(share / "metainfo" / (std::string(kAppId) + ".metainfo.xml")));
    for (const char* file : {"man/man6/beroran.6.gz", "doc/beroran/copyright", "doc/beroran/changelog.gz"})
        EXPECT_TRUE(fs::exists(share / file)) << file;
    for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
        EXPECT_TRUE(fs::exists(share / "icons/hicolor" / size / "apps" / (std::string(kAppId) + ".png")))
            << size;

    const fs::path save = scratch_.filePath("data/beroran/vrdat.txt").toStdString();
    {
        QProcess game;
        ASSERT_NO_FATAL_FAILURE(start(game));
        // The icon follows the title's first paint.
        std::string icon;
        for (int waited = 0; waited < kStartTimeoutMs && icon.find("Icon (") == std::string::npos;
             waited += 100) {
            if (waited > 0) QThread::msleep(100);
            icon = run("xprop", {"-id", window_, "_NET_WM_ICON"}, env_);
        }
        for (const char* size : {"Icon (16 x 16)", "Icon (32 x 32)", "Icon (128 x 128)"})
            EXPECT_NE(icon.find(size), std::string::npos) << "the window shows the installed icon: " << size;
        click(form->from_first);
        click(form->start);
        menu_save(game);
        for (int waited = 0; waited < kSaveWaitMs && !fs::exists(save); waited += 100) QThread::msleep(100);
        ASSERT_TRUE(fs::exists(save)) << "セーブ wrote nothing to $XDG_DATA_HOME/beroran";
        EXPECT_EQ(saves_under(scratch_.path().toStdString()), std::vector<fs::path>{save})
            << "and nowhere else";
        ASSERT_NO_FATAL_FAILURE(quit(game));
    }
    const std::string first_save = contents(save);
    EXPECT_EQ(first_save.substr(0, 2), "1,") << "a save of stage 1";

    // 続きから must load that save: only a loaded game can be saved again, which replaces the file.
    const ino_t before = inode(save);
    QProcess game;
    ASSERT_NO_FATAL_FAILURE(start(game));
    click(form->from_past);
    menu_save(game);
    for (int waited = 0; waited < kSaveWaitMs && inode(save) == before; waited += 100) QThread::msleep(100);
    EXPECT_NE(inode(save), before) << "続きから did not continue the saved game";
    EXPECT_EQ(contents(save), first_save);
    ASSERT_NO_FATAL_FAILURE(quit(game));
}

}  // namespace
}  // namespace vr::test
