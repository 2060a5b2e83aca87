// The generated pictures: the sizes and layout the game's readers and
// drawing rely on, the palette entries each may use, and the details that
// make them work on screen.
#include <algorithm>
#include <iterator>
#include <set>

#include "content_support.h"
#include "graphics/rasterkit.h"
#include "headless_child.h"

namespace {

using content::dataFile;
using content::le16;
using content::le32;
using content::readBytes;

struct PictureRule {
  const char *name;
  int width, height;
  int lastColour;  // highest palette entry the picture may use
};

// Background and textures use the playing palette's scenery entries; the
// life icon also its ball ramps; the menu pictures the menu palette, whose
// entries 254 and 255 the game never loads.
const PictureRule Rules[] = {
    {"bkgr1.bmp", 1100, 480, 127},   {"text1.bmp", 255, 255, 127},    {"text2.bmp", 255, 255, 127},
    {"text3.bmp", 255, 255, 127},    {"text4.bmp", 255, 255, 127},    {"leben.bmp", 64, 48, 255},
    {"x640ok.bmp", 640, 480, 253},   {"x640quit.bmp", 640, 480, 253}, {"x320ok.bmp", 320, 240, 253},
    {"x320quit.bmp", 320, 240, 253},
};

// Rows top first, as the game's reader stores them.
std::vector<std::vector<uint8_t>> loadRows(const std::string &name) {
  Bitmap *bmp = RK_readBitmapFile(dataFile(name).c_str(), 0);
  std::vector<std::vector<uint8_t>> rows;
  if (bmp == nullptr) return rows;
  for (int y = 0; y < bmp->height; ++y) {
    const uint8_t *row = bmp->surface + size_t(y) * bmp->bytesPerLine;
    rows.emplace_back(row, row + bmp->width);
  }
  RK_freeBitmap(bmp);
  return rows;
}

TEST(GeneratedPictures, FilesAreUncompressedEightBitBottomUpBitmaps) {
  for (const PictureRule &rule : Rules) {
    SCOPED_TRACE(rule.name);
    const auto b = readBytes(dataFile(rule.name));
    ASSERT_GT(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), uint32_t(rule.width));
    EXPECT_EQ(le32(b, 22), uint32_t(rule.height));  // positive: bottom row first
    EXPECT_EQ(le16(b, 26), 1u);
    EXPECT_EQ(le16(b, 28), 8u);
    EXPECT_EQ(le32(b, 30), 0u);
    const uint32_t colours = le32(b, 46) == 0 ? 256 : le32(b, 46);
    const uint32_t bytesPerLine = (uint32_t(rule.width) + 3) & ~3u;
    // The reader ignores the pixel offset field and takes the rows right
    // after the colour table, so the two must agree.
    EXPECT_EQ(le32(b, 10), 54 + colours * 4);
    EXPECT_EQ(b.size(), 54 + colours * 4 + bytesPerLine * rule.height);
  }
}

TEST(GeneratedPictures, LoadThroughTheGamesReaderWithTheirSizes) {
  for (const PictureRule &rule : Rules) {
    SCOPED_TRACE(rule.name);
    Bitmap *bmp = RK_readBitmapFile(dataFile(rule.name).c_str(), 0);
    ASSERT_NE(bmp, nullptr) << RK_errorText(RK_lastError());
    EXPECT_EQ(bmp->width, rule.width);
    EXPECT_EQ(bmp->height, rule.height);
    EXPECT_EQ(bmp->bitsPerPixel, 8);
    EXPECT_EQ(bmp->bytesPerLine % 4, 0);
    EXPECT_EQ(bmp->palette, nullptr);
    RK_freeBitmap(bmp);
  }
}

TEST(GeneratedPictures, UseOnlyTheirPalettesAllowedEntries) {
  for (const PictureRule &rule : Rules) {
    SCOPED_TRACE(rule.name);
    const auto rows = loadRows(rule.name);
    ASSERT_EQ(int(rows.size()), rule.height);
    uint8_t highest = 0;
    for (const auto &row : rows) highest = std::max(highest, *std::max_element(row.begin(), row.end()));
    EXPECT_LE(highest, rule.lastColour);
  }
}

TEST(GeneratedPictures, CarryTheGamesPaletteForPictureViewers) {
  // The game reads the pixels only; the colour table in the file is for
  // viewers and must show the picture as the game does.
  struct Entry {
    int index;
    uint32_t rgb;
  };
  const Entry menu[] = {{1, 0x080000}, {113, 0x840000}, {200, 0xFFFFFF}, {254, 0}, {255, 0}};
  const Entry playing[] = {{1, 0x000008}, {85, 0xFF0000}, {128, 0x002800}, {255, 0xEFEFE5}};
  for (const PictureRule &rule : Rules) {
    SCOPED_TRACE(rule.name);
    const headless_test::Picture8 picture = headless_test::readPicture8(dataFile(rule.name));
    ASSERT_TRUE(picture.ok);
    ASSERT_EQ(picture.colours.size(), 256u);
    const bool isMenu = rule.name[0] == 'x';
    for (const Entry &e : isMenu ? std::vector<Entry>(std::begin(menu), std::end(menu))
                                 : std::vector<Entry>(std::begin(playing), std::end(playing))) {
      EXPECT_EQ(picture.colours[e.index], e.rgb) << "entry " << e.index;
    }
  }
}

TEST(GeneratedPictures, TexturesAddressedWithARowStepOfWidthPlusOneMatchTheFileRows) {
  // The rasterizer steps width + 1 bytes per texel row from the first pixel:
  // that must be the bitmap's own row length, or faces show sheared texels.
  for (const char *name : {"text1.bmp", "text2.bmp", "text3.bmp", "text4.bmp"}) {
    Bitmap *bmp = RK_readBitmapFile(dataFile(name).c_str(), 0);
    ASSERT_NE(bmp, nullptr) << name;
    EXPECT_EQ(bmp->bytesPerLine, bmp->width + 1) << name;
    RK_freeBitmap(bmp);
  }
}

TEST(GeneratedPictures, BackgroundIsCalmUnderTheFrameRateLine) {
  // The frame-rate text (entry 127, near white) is drawn at the top left in
  // every frame while the background scrolls by up to 440 pixels: the top
  // rows must be dark all the way across.
  const auto rows = loadRows("bkgr1.bmp");
  ASSERT_EQ(rows.size(), 480u);
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(std::set<uint8_t>(rows[y].begin(), rows[y].end()), std::set<uint8_t>{0}) << "row " << y;
  }
}

TEST(GeneratedPictures, LifeIconIsTheShadedBallOnBlack) {
  const auto rows = loadRows("leben.bmp");
  ASSERT_EQ(rows.size(), 48u);
  EXPECT_EQ(rows[0][0], 0);
  EXPECT_EQ(rows[47][63], 0);
  std::set<int> ramps;
  for (const auto &row : rows) {
    for (uint8_t v : row) {
      if (v != 0) {
        EXPECT_GE(v, 128);
        ramps.insert(v / 64);
      }
    }
  }
  EXPECT_EQ(ramps, (std::set<int>{2, 3}));  // both the green and the blue ramp
}

// Rows (top first) where the chosen item's dark red bar shows.
std::vector<int> highlightRows(const std::string &name) {
  const auto rows = loadRows(name);
  std::vector<int> found;
  for (size_t y = 0; y < rows.size(); ++y) {
    // Menu palette entry 113 is 840000, the bar's fill.
    if (std::count(rows[y].begin(), rows[y].end(), 113) > int(rows[y].size() / 8)) found.push_back(int(y));
  }
  return found;
}

TEST(GeneratedPictures, MenuPicturesHighlightTheChosenItem) {
  for (const auto &[ok, quit, height] :
       {std::tuple{"x640ok.bmp", "x640quit.bmp", 480}, std::tuple{"x320ok.bmp", "x320quit.bmp", 240}}) {
    SCOPED_TRACE(ok);
    const auto play = highlightRows(ok);
    const auto leave = highlightRows(quit);
    ASSERT_FALSE(play.empty());
    ASSERT_FALSE(leave.empty());
    // "Spielen" stands above "Beenden"; the bars do not overlap.
    EXPECT_LT(play.back(), leave.front());
    EXPECT_GT(play.front(), height / 3);
    EXPECT_LT(leave.back(), height * 4 / 5);
  }
}

TEST(GeneratedPictures, GeneratorWritesTheSameBytesOnEveryRun) {
  const auto dir = content::scratchDir("pictures");
  const std::string command = content::binaryDir() + "/tools/mkassets/mkassets " + content::sourceDir() +
                              "/assets/font/little.txt " + dir.string();
  ASSERT_EQ(content::run(command), 0);
  for (const PictureRule &rule : Rules) {
    EXPECT_TRUE(readBytes((dir / rule.name).string()) == readBytes(dataFile(rule.name))) << rule.name;
  }
  EXPECT_TRUE(readBytes((dir / "little.fnt").string()) == readBytes(dataFile("little.fnt")));
}

}  // namespace
