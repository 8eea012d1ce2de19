// The platform layer's promises the rules rely on: exact raster operations, record files
// that never half-write, vr_data lookup, bound checks that fail loudly, and a window scale that
// shows pictures pixel-exact and hands the game its own pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QTemporaryDir>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "platform/files/paths.h"
#include "platform/files/record_file.h"
#include "platform/window/controls.h"
#include "state/bounded_array.h"

namespace vr {
namespace {

QImage filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(RasterOps, MaskThenPictureComposesASpriteOverAnyBackground) {
    // A 2x1 sprite: left pixel is the sprite (red), right pixel is transparent (white).
    QImage picture = filled(2, 1, qRgb(255, 255, 255));
    picture.setPixel(0, 0, qRgb(200, 10, 10));
    QImage mask = filled(2, 1, qRgb(255, 255, 255));
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    QImage field = filled(4, 2, qRgb(30, 120, 60));

    paint_raster(field, mask, 1, 1, RasterOp::MergePaint);
    EXPECT_EQ(field.pixel(1, 1), qRgb(255, 255, 255)) << "the mask cuts a white hole";
    EXPECT_EQ(field.pixel(2, 1), qRgb(30, 120, 60)) << "white mask leaves the field";
    paint_raster(field, picture, 1, 1, RasterOp::SrcAnd);
    EXPECT_EQ(field.pixel(1, 1), qRgb(200, 10, 10));
    EXPECT_EQ(field.pixel(2, 1), qRgb(30, 120, 60));
    EXPECT_EQ(field.pixel(1, 0), qRgb(30, 120, 60)) << "nothing outside the sprite changes";
}

TEST(RasterOps, DrawingPartlyOutsideTheImageIsClipped) {
    QImage field = filled(4, 4, qRgb(255, 255, 255));
    const QImage black = filled(3, 3, qRgb(0, 0, 0));
    paint_raster(field, black, -2, 2, RasterOp::SrcAnd);
    paint_raster(field, black, 3, -2, RasterOp::SrcAnd);
    paint_raster(field, black, 10, 10, RasterOp::SrcAnd);
    EXPECT_EQ(field.pixel(0, 2), qRgb(0, 0, 0));
    EXPECT_EQ(field.pixel(0, 3), qRgb(0, 0, 0));
    EXPECT_EQ(field.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(field.pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(field.pixel(2, 0), qRgb(255, 255, 255));
}

TEST(Pictures, APictureIsDrawnWithExactlyItsFilesPixelsHoweverItWaits) {
    QTemporaryDir dir;
    // A few colours wait as a palette; a ramp of 300 cannot, and must stay exact all the same.
    QImage few = filled(3, 2, qRgb(255, 255, 255));
    few.setPixel(1, 0, qRgb(200, 10, 10));
    QImage many(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < many.width(); ++x) many.setPixel(x, 0, qRgb(x % 256, x / 256 * 100, 7));
    for (const QImage& drawn : {few, many}) {
        for (const Picture::Keep keep : {Picture::Keep::Compact, Picture::Keep::Ready}) {
            const QString path = dir.filePath(QStringLiteral("p.bmp"));
            ASSERT_TRUE(drawn.save(path, "BMP"));
            const Picture picture = Picture::load(path.toStdString(), {drawn.width(), drawn.height()}, keep);
            const Picture copy = picture;
            EXPECT_EQ(picture.image().format(), QImage::Format_RGB32);
            EXPECT_EQ(picture.image(), drawn) << drawn.width();
            EXPECT_EQ(copy.image().constBits(), picture.image().constBits())
                << "one expansion for all copies";
        }
    }
}

class RecordFileTest : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& contents) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(RecordFileTest, ReadsNumbersSeparatedByCommasBlanksAndLineEnds) {
    // Whatever follows the last number wanted is never read, as the header promises.
    const auto numbers = read_record_numbers(file("a.txt", "3,3,7,7\r\n12 15,4\n0\t-2,+5\r\nby hand\x01"), 9);
    ASSERT_TRUE(numbers);
    EXPECT_EQ(*numbers, (std::vector<int>{3, 3, 7, 7, 12, 15, 4, 0, -2}));
}

TEST_F(RecordFileTest, RefusesWhatIsNotAFullRecord) {
    const struct {
        const char* name;
        std::string contents;
    } cases[] = {
        {"too few numbers", "1,2,3\r\n"},
        {"empty file", ""},
        {"a word among the numbers", "1,2,x,4,5,6,7,8,9\r\n"},
        {"a number with trailing letters", "1,2,3a,4,5,6,7,8,9\r\n"},
        {"beyond 16 bits", "1,2,70000,4,5,6,7,8,9\r\n"},
        {"binary junk", std::string("\x01\x02\xff\x00", 4)},
    };
    for (const auto& c : cases) EXPECT_FALSE(read_record_numbers(file("bad.txt", c.contents), 9)) << c.name;
    EXPECT_FALSE(read_record_numbers(dir.filePath("missing.txt").toStdString(), 9)) << "missing file";
}

TEST_F(RecordFileTest, WritesCrLfLinesAndReplacesTheOldFileWhole) {
    const std::string path = file("save.txt", "old contents\r\n");
    ASSERT_TRUE(write_record_lines(path, {{3, 3, 7, 7}, {12, 15, 4, 0, 0, 0, 0, 0, 31}}));
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, "3,3,7,7\r\n12,15,4,0,0,0,0,0,31\r\n");
}

TEST_F(RecordFileTest, AnUnwritablePlaceFailsAndLeavesTheOldFileWhole) {
    // A "directory" that is really a file cannot take a file, not even for root.
    const std::string blocker = file("blocker", "not a directory");
    EXPECT_FALSE(write_record_lines(blocker + "/rec.txt", {{1, 2}}));
    std::ifstream in(blocker, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "not a directory");
}

TEST(DataPaths, GamePathsMapOntoTheVrDataInTheCurrentDirectory) {
    QTemporaryDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::create_directory(dir.filePath("vr_data").toStdString());
    std::filesystem::current_path(dir.path().toStdString());
    EXPECT_EQ(resolve_data_path("vr_data\\fld.bmp"), "vr_data/fld.bmp");
    EXPECT_EQ(resolve_data_path("/opt/game\\vr_data\\dice.mid"), "vr_data/dice.mid")
        << "the music's program-directory path finds the same vr_data as the pictures";
    EXPECT_EQ(resolve_data_path("other\\file.txt"), "other/file.txt");
    EXPECT_EQ(resolve_data_path_for_writing("vr_data\\vrdat.txt"), "vr_data/vrdat.txt")
        << "a writable vr_data keeps the save, as a source checkout always has";
    EXPECT_EQ(player_directory(), "vr_data");
    std::filesystem::current_path(previous);
}

TEST(DataPaths, ThePlayersFilesGoToTheirOwnFolderWhenTheDataFolderCannotKeepThem) {
    QTemporaryDir dir;
    const std::string data = dir.filePath("vr_data").toStdString();
    const std::string player = dir.filePath("home/beroran").toStdString();
    std::filesystem::create_directories(data);
    const auto put = [](const std::string& folder, const char* name) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/" + name) << "1\r\n";
    };
    put(data, "vrrec.txt");
    put(data, "vrdat.txt");
    put(player, "vrdat.txt");

    const PlayerFilePaths kept = locate_player_file("vrdat.txt", data, true, player);
    EXPECT_EQ(kept.read, data + "/vrdat.txt") << "a writable checkout keeps them beside the pictures";
    EXPECT_EQ(kept.write, data + "/vrdat.txt");
    const PlayerFilePaths both = locate_player_file("vrdat.txt", data, false, player);
    EXPECT_EQ(both.read, player + "/vrdat.txt") << "the player's own copy is the newer";
    EXPECT_EQ(both.write, player + "/vrdat.txt");
    const PlayerFilePaths left = locate_player_file("vrrec.txt", data, false, player);
    EXPECT_EQ(left.read, data + "/vrrec.txt") << "records left in the data folder are still read";
    EXPECT_EQ(left.write, player + "/vrrec.txt") << "and never written over";
    std::filesystem::remove_all(player);
    const PlayerFilePaths fresh =
        locate_player_file("vrdat.txt", dir.filePath("empty").toStdString(), false, player);
    EXPECT_EQ(fresh.read, player + "/vrdat.txt");
    ASSERT_TRUE(write_record_lines(fresh.write, {{1, 2}})) << "the first write makes the player's folder";
    EXPECT_EQ(read_record_numbers(fresh.read, 2), (std::vector<int>{1, 2}));
}

TEST(BoundedArrays, IndexesFromTheGamesOwnLowerBound) {
    BoundedArray<int, 1, 12> squares;
    squares(1) = 5;
    squares(12) = 7;
    EXPECT_EQ(squares[1], 5);
    EXPECT_EQ(squares(12), 7);
    BoundedArray2<int, 1, 2, 0, 9> table;
    table(2, 9) = 3;
    EXPECT_EQ(table(2, 9), 3);
    EXPECT_EQ(table(1, 9), 0);
}

TEST(BoundedArraysDeathTest, AnIndexOutsideTheBoundsAbortsLoudly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    BoundedArray<int, 1, 12> squares;
    EXPECT_DEATH(squares(0) = 1, "index 0 outside 1..12");
    EXPECT_DEATH(squares(13) = 1, "index 13 outside 1..12");
    BoundedArray2<int, 1, 2, 0, 9> table;
    EXPECT_DEATH(table(3, 0) = 1, "index 3 outside 1..2");
    EXPECT_DEATH(table(1, 10) = 1, "index 10 outside 0..9");
}

QImage nearest_neighbour(const QImage& image, int scale) {
    QImage scaled(image.size() * scale, QImage::Format_RGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) scaled.setPixel(x, y, image.pixel(x / scale, y / scale));
    }
    return scaled;
}

TEST(WindowScale, TheFirstStartPicksTheLargestScaleThatFitsMostOfTheScreen) {
    // The menu bar grows with the window: 18 px at x1, 57 at x4 with the game's font.
    constexpr int kMenuTextPixels = 13;  // a line of the menu's text, a scale
    constexpr int kMenuFramePixels = 5;  // the bar's own margins, at every scale
    const auto menu_bar = [](int scale) { return kMenuTextPixels * scale + kMenuFramePixels; };
    const struct {
        const char* name;
        QSize available;
        int scale;
    } cases[] = {
        {"a small laptop keeps the game's own size", {1366, 738}, 1},
        {"a full HD desktop under its panel doubles it", {1920, 1050}, 2},
        {"a 1440p screen doubles it, its tripled menu bar taking the last of its share", {2560, 1440}, 2},
        {"a 1800p screen under its panel triples it", {3200, 1770}, 3},
        {"a 4K screen quadruples it", {3840, 2130}, 4},
        {"no screen gets more than four", {7680, 4320}, 4},
        {"a wide, low screen is held back by its height", {3840, 1000}, 2},
        {"exactly 60 % of the width is enough", {1550, 1000}, 2},
        {"a pixel less is not", {1549, 1000}, 1},
        {"a screen smaller than the window still gets one", {400, 300}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(largest_fitting_scale(c.available, QSize(465, 279), menu_bar), c.scale) << c.name;
    }
}

TEST(Language, TheDesktopsFirstStartIsEnglishOnlyWhereItNamesEnglishBeforeJapanese) {
    const struct {
        const char* name;
        QStringList ui_languages;
        Language first_start;
    } cases[] = {
        {"an English desktop", {"en-US", "en-Latn-US", "en"}, Language::English},
        {"a Japanese desktop", {"ja-JP", "ja-Jpan-JP", "ja"}, Language::Japanese},
        {"LANG=C names no language", {"C"}, Language::Japanese},
        {"a French desktop that reads English next", {"fr-FR", "fr", "en-US"}, Language::English},
        {"Japanese before English", {"ja", "en"}, Language::Japanese},
    };
    for (const auto& c : cases) EXPECT_EQ(language_for(c.ui_languages), c.first_start) << c.name;
}

class ScaledPictureBoxTest : public ::testing::Test {
protected:
    ScaledPictureBoxTest() {
        window.set_client_size(465, 279);
        box.place(8, 0, 448, 40);
        box.on_mouse_down = [this](int, int, float x, float y) { reported = QPointF(x, y); };
    }
    QPointF press(QPointF at) {
        QMouseEvent event(QEvent::MouseButtonPress, at, box.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &event);
        return reported;
    }
    Window window;
    PictureBox box{window.client()};
    QPointF reported{-1, -1};
};

TEST_F(ScaledPictureBoxTest, EveryDevicePixelReportsTheGamePixelDrawnThere) {
    for (int scale = kSmallestScale; scale <= kLargestScale; ++scale) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        window.set_scale(scale);
        EXPECT_EQ(window.client()->size(), QSize(465, 279) * scale);
        EXPECT_EQ(box.geometry(), QRect(8 * scale, 0, 448 * scale, 40 * scale));
        // Every column across all fourteen squares, and every row.
        for (int device = 0; device < 448 * scale; ++device) {
            const QPointF got = press(QPointF(device, device % (40 * scale)));
            ASSERT_EQ(got, QPointF(device / scale, device % (40 * scale) / scale)) << "device x " << device;
        }
    }
    // The desktop's own scaling can report fractions; they still fall on the pixel under them.
    window.set_scale(2);
    EXPECT_EQ(press(QPointF(63.5, 0.5)), QPointF(31, 0)) << "the last pixel of square 0";
    EXPECT_EQ(press(QPointF(64.0, 79.9)), QPointF(32, 39)) << "the first pixel of square 1";
}

TEST_F(ScaledPictureBoxTest, PicturesAreShownPixelExactAndKeptWhenTheScaleChanges) {
    // Every pixel a colour of its own, so any blending or shift shows.
    QImage art(448, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 448; ++x)
            art.setPixel(x, y, qRgb(x % 256, (x / 256) * 128 + y, (x * 7 + y * 13) % 256));
    }
    box.set_picture(Picture::from_image(art, "art"));
    box.paint_picture(Picture::from_image(filled(3, 3, qRgb(0, 0, 0)), "dot"), 100, 10, RasterOp::SrcAnd);
    const QImage drawn = box.image();
    for (int scale : {2, 3, 1, 4}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        window.set_scale(scale);
        EXPECT_EQ(box.image(), drawn) << "a new scale keeps what was drawn, in the game's pixels";
        EXPECT_EQ(box.grab().toImage().convertToFormat(QImage::Format_RGB32),
                  nearest_neighbour(drawn, scale));
    }
}

TEST(WindowScale, AFrameBorderGrowsWithTheScaleLineForLine) {
    Window window;
    window.set_client_size(465, 279);
    Frame frame(window.client());
    frame.place(8, 48, 89, 65);
    const QImage one = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    window.set_scale(3);
    EXPECT_EQ(frame.grab().toImage().convertToFormat(QImage::Format_RGB32), nearest_neighbour(one, 3));
}

TEST(WindowStyle, TheMenuBarsOverflowArrowIsStillTheStylesOwnWhenDrawn) {
    Window window;
    window.add_menu("メニュー");
    const auto* arrow = window.menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_TRUE(arrow && style);
    const QIcon own = style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_EQ(arrow->icon().pixmap(16).toImage(), own.pixmap(16).toImage());
}

}  // namespace
}  // namespace vr
