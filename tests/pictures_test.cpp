// Picture set: committed bitmaps match their sources, masks match pictures, sizes fit the field.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <map>
#include <string>
#include <vector>

#include "icon_set.h"
#include "picture_set.h"

namespace {
const QString kRepo = QStringLiteral(BERORAN_SOURCE_DIR);
const QString kAssets = kRepo + QStringLiteral("/assets/pictures");
const QString kData = kRepo + QStringLiteral("/vr_data");
constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kBlack = 0xff000000u;
constexpr int kBmpBitCountOffset = 28;
constexpr int kBmpBitsPerPixel = 24;

struct Expected {
    std::string name;  // vr_data file name without ".bmp"
    int width;
    int height;
    bool has_mask;
};

const char* const kFamiliarStems[] = {"skl", "fairy", "gob",  "sara", "pgss",
                                      "glm", "cent",  "trol", "wyvn", "drgn"};

// Every file the game loads, with the size the field layout gives it.
std::vector<Expected> expected_set() {
    std::vector<Expected> set;
    for (const char* stem : kFamiliarStems) {
        set.push_back({std::string("r-") + stem, 32, 32, true});
        set.push_back({std::string("b-") + stem, 32, 32, true});
    }
    for (const char* name : {"master", "master2", "cursol", "sleep", "heal", "bullet", "quick", "power",
                             "trap", "highheal", "meteor"}) {
        set.push_back({name, 32, 32, true});
    }
    // Hit and fall marks sit at (32*s + 8, 12): 16 wide and 28 high at most.
    set.push_back({"attack", 16, 28, true});
    set.push_back({"death", 16, 28, true});
    // Appended rather than "d" + to_string(): GCC 12 at -O2 and above reports a false overlap
    // (-Wrestrict) inside the string insert that operator+ uses for a literal before a string.
    for (int value = 0; value <= 12; ++value)
        set.push_back({std::string("d").append(std::to_string(value)), 21, 21, false});
    set.push_back({"fld", 448, 40, false});
    set.push_back({"title", 465, 279, false});
    set.push_back({"prologue", 160, 120, false});
    set.push_back({"gameover", 320, 160, false});
    set.push_back({"gameclear", 320, 160, false});
    set.push_back({"epilogue1", 96, 96, false});
    set.push_back({"epilogue2", 96, 96, false});
    return set;
}

QString data_path(const std::string& name) {
    return kData + QStringLiteral("/%1.bmp").arg(QString::fromStdString(name));
}

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage load(const std::string& name) {
    return QImage(data_path(name)).convertToFormat(QImage::Format_RGB32);
}

void write_text(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}
}  // namespace

TEST(PictureSet, CommittedBitmapsAreExactlyWhatTheSourcesGenerate) {
    const auto pictures = build_picture_set(kAssets);
    ASSERT_TRUE(pictures) << pictures.error.toStdString();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_FALSE(write_picture_set(*pictures.value, out.path()).has_value());
    for (const GeneratedPicture& picture : *pictures.value) {
        const QString file = picture.name + QStringLiteral(".bmp");
        const QByteArray committed = read_bytes(kData + QLatin1Char('/') + file);
        EXPECT_FALSE(committed.isEmpty())
            << "vr_data/" << file.toStdString() << " is missing; run make_pictures";
        EXPECT_TRUE(committed == read_bytes(QDir(out.path()).filePath(file)))
            << "vr_data/" << file.toStdString() << " differs from its source; run make_pictures";
    }
}

TEST(PictureSet, EveryFileTheGameLoadsIsA24BitBitmapOfItsSize) {
    for (const Expected& e : expected_set()) {
        std::vector<std::string> names = {e.name};
        if (e.has_mask) names.push_back(e.name + "_m");
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            const QByteArray bytes = read_bytes(data_path(name));
            ASSERT_GT(bytes.size(), kBmpBitCountOffset + 1) << "missing";
            EXPECT_EQ(bytes.at(kBmpBitCountOffset), kBmpBitsPerPixel);
            const QImage image = load(name);
            EXPECT_EQ(image.width(), e.width);
            EXPECT_EQ(image.height(), e.height);
        }
    }
}

TEST(PictureSet, MasksAreBlackExactlyWhereThePictureIsNotWhite) {
    for (const Expected& e : expected_set()) {
        if (!e.has_mask) continue;
        SCOPED_TRACE(e.name);
        const QImage picture = load(e.name);
        const QImage mask = load(e.name + "_m");
        ASSERT_EQ(picture.size(), mask.size());
        int ink = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb m = mask.pixel(x, y);
                ASSERT_TRUE(m == kBlack || m == kWhite) << "grey mask pixel at " << x << "," << y;
                ASSERT_EQ(m == kBlack, picture.pixel(x, y) != kWhite) << "at " << x << "," << y;
                ink += m == kBlack ? 1 : 0;
            }
        }
        // A sprite needs a background to compose over the field, and something to show.
        EXPECT_GT(ink, 0);
        EXPECT_LT(ink, picture.width() * picture.height());
    }
}

TEST(PictureSet, SideTwoFamiliarsAreTheSideOneDrawingsFacingLeft) {
    for (const char* stem : kFamiliarStems) {
        SCOPED_TRACE(stem);
        const QImage red = load(std::string("r-") + stem + "_m");
        const QImage blue = load(std::string("b-") + stem + "_m");
        EXPECT_EQ(blue, red.mirrored(true, false));
        EXPECT_NE(load(std::string("r-") + stem), load(std::string("b-") + stem).mirrored(true, false))
            << "the two sides need their own colours";
    }
}

TEST(PictureSet, NoTwoFamiliarsShareASilhouette) {
    // An eighth of the sprite's pixels must differ: a copied or barely changed drawing fails.
    constexpr int kMinDifferentPixels = 32 * 32 / 8;
    for (size_t a = 0; a < std::size(kFamiliarStems); ++a) {
        for (size_t b = a + 1; b < std::size(kFamiliarStems); ++b) {
            const QImage one = load(std::string("r-") + kFamiliarStems[a] + "_m");
            const QImage two = load(std::string("r-") + kFamiliarStems[b] + "_m");
            int different = 0;
            for (int y = 0; y < one.height(); ++y) {
                for (int x = 0; x < one.width(); ++x) different += one.pixel(x, y) != two.pixel(x, y) ? 1 : 0;
            }
            EXPECT_GE(different, kMinDifferentPixels) << kFamiliarStems[a] << " vs " << kFamiliarStems[b];
        }
    }
}

TEST(PictureSet, SelectionMarkLeavesTheSquareVisible) {
    // The inner half of the square must stay clear so the familiar or icon under it shows.
    constexpr int kInnerFrom = 8;
    constexpr int kInnerTo = 24;
    const QImage mask = load("cursol_m");
    for (int y = kInnerFrom; y < kInnerTo; ++y) {
        for (int x = kInnerFrom; x < kInnerTo; ++x) ASSERT_EQ(mask.pixel(x, y), kWhite) << x << "," << y;
    }
}

struct BadSource {
    const char* rule;
    const char* file;  // path inside the assets directory
    const char* content;
    const char* message;  // part of the expected error
};

// Each row breaks one rule of the source format; the tool must name the file and refuse.
const BadSource kBadSources[] = {
    {"a short pixel row names its line", "a.pix", "size 3 2\npixels\n...\n..\n", "a.pix:4: row is 2 wide"},
    {"an unknown key names line and column", "a.pix", "size 3 1\npixels\n.Q.\n",
     "a.pix:3: column 2: key 'Q'"},
    {"a team key needs a team", "a.pix", "size 2 1\npixels\nA.\n", "team colour, but no team"},
    {"pure white is kept for the background", "a.pix", "size 1 1\ncolor z 255 255 255\npixels\nz\n",
     "a.pix:2:"},
    {"missing rows are reported", "a.pix", "size 2 3\npixels\n..\n", "only 1 of 3 rows"},
    {"a missing source file is named", "other.pix", "size 1 1\npixels\n.\n", "a.pix: cannot open"},
    {"a scene must start with its size", "a.scene", "fill 0 0 1 1 #000000\n", "a.scene:1: a scene starts"},
    {"unknown scene commands are refused", "a.scene", "size 2 2\nblur 3\n", "a.scene:2: unknown command"},
    {"text needs glyphs the font has", "a.scene", "size 9 9\nfont f.font\ntext 0 0 1 #000000 \"x\"\n",
     "no glyph for 'x'"},
};

TEST(PictureSet, BadSourcesAreRefusedWithFileAndLine) {
    for (const BadSource& row : kBadSources) {
        SCOPED_TRACE(row.rule);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QDir assets(dir.path());
        write_text(assets.filePath(QLatin1String(kPaletteFile)),
                   QStringLiteral(". 255 255 255 bg\n[red]\nA 200 0 0 t\n"));
        write_text(assets.filePath(QStringLiteral("f.font")), QStringLiteral("height 1\nglyph y\n#\n"));
        write_text(assets.filePath(QLatin1String(row.file)), QString::fromUtf8(row.content));
        const bool scene = QString::fromLatin1(row.file).endsWith(QLatin1String(".scene"));
        write_text(assets.filePath(QLatin1String(kPictureListFile)),
                   scene ? QStringLiteral("picture x a.scene\n") : QStringLiteral("sprite x a.pix\n"));
        const auto built = build_picture_set(dir.path());
        ASSERT_FALSE(built);
        EXPECT_NE(built.error.indexOf(QLatin1String(row.message)), -1) << built.error.toStdString();
    }
}

TEST(PictureSet, WritingWhereNoDirectoryCanBeMadeFails) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = QDir(dir.path()).filePath(QStringLiteral("plain_file"));
    write_text(blocker, QStringLiteral("not a directory"));
    const auto error = write_picture_set({}, blocker + QStringLiteral("/out"));
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->indexOf(QStringLiteral("plain_file")), -1) << error->toStdString();
}

TEST(IconSet, EverySizeIsOurDrawingEnlargedCrisplyOnAClearBackground) {
    const auto icons = build_icon_set(kAssets);
    ASSERT_TRUE(icons) << icons.error.toStdString();
    ASSERT_EQ(icons.value->size(), kIconSizes.size());
    for (const IconImage& icon : *icons.value) {
        SCOPED_TRACE(icon.size);
        ASSERT_EQ(icon.image.size(), QSize(icon.size, icon.size));
        EXPECT_EQ(qAlpha(icon.image.pixel(0, 0)), 0) << "the corners are see-through";
        EXPECT_EQ(qAlpha(icon.image.pixel(icon.size / 2, icon.size / 2)), 255);
    }
    // 256 is the 32-pixel drawing at 8x: every 8x8 block is one colour.
    const QImage& large = icons.value->back().image;
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x)
            ASSERT_EQ(large.pixel(x, y), large.pixel(x / 8 * 8, y / 8 * 8)) << x << "," << y;
    }
    // 22 has no whole-number scale of 32, so it centres the 16-pixel drawing with a clear margin.
    const QImage& small = (*icons.value)[1].image;
    for (int i = 0; i < small.width(); ++i) {
        EXPECT_EQ(qAlpha(small.pixel(i, 2)), 0) << i;
        EXPECT_EQ(qAlpha(small.pixel(2, i)), 0) << i;
    }
    EXPECT_EQ(small.copy(3, 3, 16, 16), (*icons.value)[0].image) << "the 16-pixel drawing as it is";
}
