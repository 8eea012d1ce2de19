// The platform layer's promises the rules rely on: exact raster operations, record files
// that never half-write, vr_data lookup, and bound checks that fail loudly.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "platform/controls.h"
#include "platform/paths.h"
#include "platform/record_file.h"
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
    const auto numbers = read_record_numbers(file("a.txt", "3,3,7,7\r\n12 15,4\n0\t-2,+5\r\n"), 9);
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

}  // namespace
}  // namespace vr
