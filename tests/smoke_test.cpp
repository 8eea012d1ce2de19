// The real executable: it starts under Xvfb on its title screen, refuses a second copy, stops
// on a missing picture, closes cleanly from its own menu, and plays the same at twice the size;
// its options answer without any display.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "game_fixture.h"
#include "platform/program_info.h"
#include "x_server.h"

namespace vr::test {
namespace {

constexpr int kClientWidth = 465;
constexpr int kClientHeight = 279;

// The window's pixels as the X server holds them; null when they cannot be read.
QImage grab_window(const QString& display, const QString& window) {
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    QImage image;
    const xcb_window_t id = window.toUInt();
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    if (geometry && geometry->depth == 24) {
        xcb_get_image_reply_t* reply =
            xcb_get_image_reply(connection,
                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0,
                                              geometry->width, geometry->height, ~0u),
                                nullptr);
        if (reply) {
            image = QImage(xcb_get_image_data(reply), geometry->width, geometry->height, QImage::Format_RGB32)
                        .copy();
            // The server leaves the unused top byte at 0; Qt reads it as alpha.
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) line[x] |= 0xFF000000;
            }
        }
        std::free(reply);
    }
    std::free(geometry);
    xcb_disconnect(connection);
    return image;
}

class SmokeTest : public ::testing::Test {
protected:
    SmokeTest() {
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("DISPLAY", x_.display());
        env_.insert("QT_QPA_PLATFORM", "xcb");
        env_.insert("XDG_RUNTIME_DIR", runtime_.path());
        // The player's preferences start empty, whatever the developer chose for their own game.
        env_.insert("XDG_CONFIG_HOME", config_.path());
        // xdotool matches the game's Japanese title only in a UTF-8 locale.
        for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env_.remove(variable);
        env_.insert("LANG", "C.UTF-8");
    }

    void store_scale(int scale) {
        std::filesystem::create_directories(config_.path().toStdString() + "/beroran");
        std::ofstream(config_.path().toStdString() + "/beroran/beroran.ini")
            << "[window]\nscale=" << scale << "\n";
    }

    // The game's visible window with this title, and its size, menu bar included.
    // By process, since the server may still hold an ended copy's window under the same id; and
    // again when xdotool gives up on a window that vanished while it looked. The title is read
    // as desktops read it (in UTF-8), since under LANG=C Qt cannot write the old Latin-1 name.
    QString find_window(const QProcess& game, const QString& title = "ベロラン") {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < kStartTimeoutMs) {
            const QStringList windows =
                QString::fromStdString(
                    xdotool({"search", "--all", "--onlyvisible", "--pid", QString::number(game.processId())}))
                    .split('\n', Qt::SkipEmptyParts);
            for (const QString& window : windows) {
                if (QString::fromStdString(xdotool({"getwindowname", window})).trimmed() == title)
                    return window;
            }
            QThread::msleep(50);
        }
        return {};
    }
    QSize window_size(const QString& window) {
        const std::string geometry = xdotool({"getwindowgeometry", "--shell", window});
        const auto value = [&](const std::string& key) {
            const size_t at = geometry.find(key + "=");
            return at == std::string::npos ? -1 : std::stoi(geometry.substr(at + key.size() + 1));
        };
        return {value("WIDTH"), value("HEIGHT")};
    }

    void start_game(QProcess& game) {
        QProcessEnvironment game_env = env_;
        game_env.insert("LANG", game_lang_);
        game.setProcessEnvironment(game_env);
        game.setWorkingDirectory(QString::fromStdString(std::filesystem::current_path().string()));
        game.start(BERORAN_BINARY, {});
        ASSERT_TRUE(game.waitForStarted(kStartTimeoutMs));
    }

    std::string xdotool(const QStringList& args) { return run("xdotool", args, env_); }

    ScratchDataDir data;
    XServer x_;
    QTemporaryDir runtime_;
    QTemporaryDir config_;
    QProcessEnvironment env_;
    // The game's desktop names no language unless a test says otherwise: the game's own Japanese.
    QString game_lang_ = "C";
};

TEST_F(SmokeTest, OpensOnTheTitleScreenAndClosesFromItsMenu) {
    ASSERT_TRUE(x_.running()) << "Xvfb is needed for this test: " << x_.errors();
    QProcess game;
    start_game(game);

    const QString window = find_window(game);
    ASSERT_FALSE(window.isEmpty()) << "the window never appeared";

    const QSize size = window_size(window);
    EXPECT_EQ(size.width(), kClientWidth) << "a first start on this screen keeps the game's own size";
    const int menu_bar = size.height() - kClientHeight;
    EXPECT_GT(menu_bar, 10) << "the menu bar sits above a 279-pixel client area";
    EXPECT_LT(menu_bar, 40);

    // メニュー, then up from the top wraps to its last item, ゲーム終了.
    open_first_menu(env_, window, game.processId(), menu_bar);
    xdotool({"key", "Up", "Return"});
    ASSERT_TRUE(game.waitForFinished(kStartTimeoutMs)) << "the menu did not close the game";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

// Where the player presses, in the game's own pixels of the client area.
struct Spot {
    int x, y;
};
constexpr Spot kFromFirstButton{171, 234};
constexpr Spot kStartButton{400, 238};
constexpr Spot kSummonButton{76, 132};
constexpr Spot kTurnButton{76, 164};
constexpr Spot kFirstFamiliarIcon{24, 216};
constexpr Spot kBoardMargin{2, 100};    // board colour under the board, white on the prologue
constexpr Spot kHeroinePanel{88, 108};  // inside ロッタ's panel, clear of its boxes
const QRect kField(8, 0, 448, 40);
const QRect kFirstIcon(8, 200, 33, 33);
const QRect kNavi(8, 184, 449, 12);
constexpr QRgb kBoard = qRgb(204, 255, 153);
constexpr QRgb kPrologue = qRgb(255, 255, 255);
constexpr QRgb kHeroinesTurn = qRgb(255, 153, 153);

QImage nearest_neighbour(const QImage& image, int scale) {
    QImage scaled(image.size() * scale, QImage::Format_RGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) scaled.setPixel(x, y, image.pixel(x / scale, y / scale));
    }
    return scaled;
}

// The game's window at one scale, watched and pressed from outside as a player would.
class ScaledSmokeTest : public SmokeTest {
protected:
    void press(Spot spot) {
        xdotool({"mousemove", "--window", window_, QString::number(spot.x * scale_ + scale_ / 2),
                 QString::number(menu_bar_ + spot.y * scale_ + scale_ / 2), "click", "1"});
    }
    // What the client area shows of `region`, given in the game's pixels.
    QImage shot(const QRect& region) {
        return grab_window(x_.display(), window_)
            .copy(region.x() * scale_, menu_bar_ + region.y() * scale_, region.width() * scale_,
                  region.height() * scale_);
    }
    QRgb colour_at(Spot spot) { return shot(QRect(spot.x, spot.y, 1, 1)).pixel(0, 0); }
    bool wait_for(const std::function<bool()>& condition, int ms = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > ms) return false;
            QThread::msleep(50);
        }
        return true;
    }

    // Plays turns until 召喚 marks the first Familiar's icon, which takes a roll of enough magic
    // points (they add up over turns); false when three turns never gave them.
    bool wait_until_summonable(const std::function<void()>& press_summon,
                               const std::function<void()>& end_turn) {
        QImage marked(kFirstIcon.size(), QImage::Format_RGB32);
        marked.fill(Qt::white);
        const PictureSize sprite{kSquareWidth, kSquareWidth};
        paint_raster(marked, Picture::load("vr_data\\r-skl.bmp", sprite).image(), 0, 0, RasterOp::SrcAnd);
        paint_raster(marked, Picture::load("vr_data\\cursol_m.bmp", sprite).image(), 0, 0,
                     RasterOp::MergePaint);
        paint_raster(marked, Picture::load("vr_data\\cursol.bmp", sprite).image(), 0, 0, RasterOp::SrcAnd);
        marked = nearest_neighbour(marked, scale_);
        for (int turn = 0; turn < 3; ++turn) {
            // The line under the panels tells when the press was handled, either way.
            const QImage navi_before = shot(kNavi);
            press_summon();
            if (!wait_for([&] { return shot(kNavi) != navi_before; })) return false;
            if (wait_for([&] { return shot(kFirstIcon) == marked; }, 1000)) return true;
            end_turn();
            wait_for([&] { return colour_at(kHeroinePanel) != kHeroinesTurn; });
            if (!wait_for([&] { return colour_at(kHeroinePanel) == kHeroinesTurn; }, 60000)) return false;
        }
        return false;
    }
    bool summoned() {
        QImage bare_board(kFirstIcon.size() * scale_, QImage::Format_RGB32);
        bare_board.fill(kBoard);
        return wait_for([&] { return shot(kFirstIcon) == bare_board; });
    }

    QString window_;
    int scale_ = 1;
    int menu_bar_ = 0;
};

TEST_F(ScaledSmokeTest, AtTwiceTheSizeEveryPressLandsAsAtOnceAndTheFieldIsTheSamePicture) {
    ASSERT_TRUE(x_.running()) << x_.errors();
    QImage field_at_one;
    int menu_bar_at_one = 0;
    for (int scale : {1, 2}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        store_scale(scale);
        QProcess game;
        start_game(game);
        window_ = find_window(game);
        ASSERT_FALSE(window_.isEmpty());
        const QSize size = window_size(window_);
        EXPECT_EQ(size.width(), kClientWidth * scale);
        scale_ = scale;
        menu_bar_ = size.height() - kClientHeight * scale;
        if (scale == 1) menu_bar_at_one = menu_bar_;
        if (scale == 2) {
            EXPECT_GT(menu_bar_, menu_bar_at_one * 3 / 2) << "the menu bar grows with the window";
        }

        press(kFromFirstButton);
        ASSERT_TRUE(wait_for([&] { return colour_at(kBoardMargin) == kPrologue; }))
            << "最初から did not open the prologue";
        press(kStartButton);
        ASSERT_TRUE(wait_for([&] { return colour_at(kBoardMargin) == kBoard; }))
            << "スタート did not open the board";
        if (scale == 1) {
            QThread::msleep(300);
            field_at_one = shot(kField);
            ASSERT_FALSE(field_at_one.isNull());
            game.kill();
            game.waitForFinished();
            continue;
        }
        EXPECT_TRUE(wait_for([&] { return shot(kField) == nearest_neighbour(field_at_one, 2); }))
            << "the field is not the picture at ×1 with every pixel doubled";

        press(kTurnButton);
        ASSERT_TRUE(wait_for([&] { return colour_at(kHeroinePanel) == kHeroinesTurn; }))
            << "開始 did not begin ロッタ's turn";

        // 召喚 marks the first Familiar's icon once ロッタ can pay for it, and a press on the icon
        // summons it, which takes the icon away.
        ASSERT_TRUE(wait_until_summonable([&] { press(kSummonButton); }, [&] { press(kTurnButton); }))
            << "召喚 never marked the first Familiar's icon in three turns";
        press(kFirstFamiliarIcon);
        EXPECT_TRUE(summoned()) << "the press on the icon did not summon its Familiar";
        game.kill();
        game.waitForFinished();
    }
}

// The keyboard alone, no pointer: the title, the prologue, 開始, a summon and the end of the turn.
TEST_F(ScaledSmokeTest, KeysAlonePlayFromTheTitleToASummonAndTheEndOfTheTurn) {
    ASSERT_TRUE(x_.running()) << x_.errors();
    store_scale(1);
    QProcess game;
    start_game(game);
    window_ = find_window(game);
    ASSERT_FALSE(window_.isEmpty());
    menu_bar_ = window_size(window_).height() - kClientHeight;
    // Without a window manager the window takes the keys only once focused.
    xdotool({"windowfocus", "--sync", window_});
    const auto key = [&](const char* name) { xdotool({"key", name}); };

    key("Return");
    ASSERT_TRUE(wait_for([&] { return colour_at(kBoardMargin) == kPrologue; }))
        << "Enter did not press 最初から";
    key("Return");
    ASSERT_TRUE(wait_for([&] { return colour_at(kBoardMargin) == kBoard; }))
        << "Enter did not press スタート";
    key("space");
    ASSERT_TRUE(wait_for([&] { return colour_at(kHeroinePanel) == kHeroinesTurn; }))
        << "Space did not press 開始";
    ASSERT_TRUE(wait_until_summonable([&] { key("s"); }, [&] { key("space"); }))
        << "S never marked the first Familiar's icon in three turns";
    key("1");
    EXPECT_TRUE(summoned()) << "1 did not summon the first Familiar";
    key("space");
    EXPECT_TRUE(wait_for([&] { return colour_at(kHeroinePanel) != kHeroinesTurn; }))
        << "Space did not end the turn";
    game.kill();
    game.waitForFinished();
}

// A desktop that names English first: the window is titled Beroran and the title's buttons show
// what this process draws for New Game and Continue. (LANG=C, as in the other tests, is Japanese.)
TEST_F(ScaledSmokeTest, AnEnglishDesktopStartsInEnglish) {
    ASSERT_TRUE(x_.running()) << x_.errors();
    InstantPause pause;
    ScriptedRandom dice;
    RecordingMusicDevice music;
    GameForm english({pause, dice, music});
    english.Form_Load();
    english.set_language(Language::English);
    ASSERT_EQ(english.from_first.text() + " / " + english.from_past.text(), "New Game / Continue");
    game_lang_ = "en_US.UTF-8";
    QProcess game;
    start_game(game);
    window_ = find_window(game, "Beroran");
    ASSERT_FALSE(window_.isEmpty()) << "no window titled Beroran";
    menu_bar_ = window_size(window_).height() - kClientHeight;
    for (const CommandButton* button : {&english.from_first, &english.from_past}) {
        const QImage drawn =
            english.client()->grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(wait_for([&] { return shot(button->geometry()) == drawn; }))
            << button->text().toStdString();
    }
    english.set_language(Language::Japanese);
    game.kill();
    game.waitForFinished();
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
    ASSERT_FALSE(find_window(first).isEmpty());

    QProcess second;
    start_game(second);
    ASSERT_TRUE(second.waitForFinished(kStartTimeoutMs)) << "the second copy kept running";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(second.readAllStandardError().toStdString().find("already running"), std::string::npos);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

// The options answer in a terminal without any display, even while a copy of the game holds the
// single-instance lock; anything else is one line on stderr and status 2.
TEST(CommandLine, AnswersWithoutADisplayOrTheLockAndRefusesWhatItDoesNotKnow) {
    QTemporaryDir runtime;
    QLockFile running_copy(runtime.filePath("beroran.lock"));
    ASSERT_TRUE(running_copy.tryLock(0));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    struct Row {
        QStringList args;
        int status;
        std::string out;  // standard output holds this; empty: says nothing
        std::string err;  // standard error is this one line; empty: says nothing
    };
    const std::string version = std::string("beroran ") + program_version() + "\n";
    const Row rows[] = {
        {{"--help"}, 0, "Usage: beroran [options]\n", ""},  // its own name, not the path it ran by
        {{"-h"}, 0, "  -v, --version", ""},
        {{"--version"}, 0, version + "Copyright", ""},
        {{"-v"}, 0, "License GPL-3.0-or-later", ""},
        // Qt's own options are Qt's to read, with their values; X11's names for them too.
        {{"-title", "Beroran", "-name", "beroran", "-nograb", "-style=fusion", "--version"}, 0, version, ""},
        {{"--fullscreen"}, 2, "", "beroran: Unknown option 'fullscreen'. Try 'beroran --help'.\n"},
        {{"-x", "--help"}, 2, "", "beroran: Unknown option 'x'. Try 'beroran --help'.\n"},
        {{"save.txt"}, 2, "", "beroran: Unexpected argument 'save.txt'. Try 'beroran --help'.\n"},
    };
    for (const Row& row : rows) {
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(BERORAN_BINARY, row.args);
        ASSERT_TRUE(game.waitForFinished(kStartTimeoutMs)) << row.args.join(' ').toStdString();
        const std::string out = game.readAllStandardOutput().toStdString();
        EXPECT_EQ(game.exitCode(), row.status) << row.args.join(' ').toStdString();
        EXPECT_TRUE(row.out.empty() ? out.empty() : out.find(row.out) != std::string::npos) << out;
        EXPECT_EQ(game.readAllStandardError().toStdString(), row.err) << row.args.join(' ').toStdString();
    }
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
