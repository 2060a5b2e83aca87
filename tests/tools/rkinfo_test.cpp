// The rkinfo tool, run as a program on files written here.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/portable.h"
#include "graphics/bitmap_writers.h"
#include "graphics/font_writers.h"

namespace fs = std::filesystem;
using namespace testfiles;

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

class Rkinfo : public testing::Test {
 protected:
  void SetUp() override {
    const char *bin = std::getenv("KELVARO_BINARY_DIR");
    ASSERT_NE(bin, nullptr) << "KELVARO_BINARY_DIR is not set";
    tool = fs::path(bin) / "tools" / "rkinfo" / "rkinfo";
    ASSERT_TRUE(fs::exists(tool)) << tool << " is not built";
    dir = portable::makeTempFolder("rkinfo-");
  }
  void TearDown() override { fs::remove_all(dir); }

  ToolRun run(const std::string &args) {
    ToolRun r;
    std::string out = (dir / "stdout").string(), err = (dir / "stderr").string();
    int rc = std::system((tool.string() + " " + args + " >" + out + " 2>" + err).c_str());
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
  }
  static std::string slurp(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string file(const char *name, const std::vector<uint8_t> &bytes) {
    std::string p = (dir / name).string();
    EXPECT_TRUE(writeFile(p, bytes));
    return p;
  }
  fs::path tool, dir;
};

}  // namespace

TEST_F(Rkinfo, BitmapsAreDescribedAndDecodedThroughTheirPalette) {
  BmpFile f;
  f.width = 3;
  f.height = 2;
  f.bits = 4;
  f.colorTable = rampPalette(16);
  f.pixels = packRows({{1, 2, 3}, {4, 5, 6}}, 4, false);
  std::string bmp = file("p.bmp", bmpBytes(f));
  ToolRun r = run(bmp + " --ppm " + (dir / "p.ppm").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "bitmap 3 2 4 4\n");
  std::string ppm = slurp(dir / "p.ppm");
  std::string header = "P6\n3 2\n255\n";
  ASSERT_EQ(ppm.size(), header.size() + 18);
  EXPECT_EQ(ppm.substr(0, header.size()), header);
  // Top row first: pixel value 1 is (r, g, b) = (1, 254, 0).
  EXPECT_EQ(uint8_t(ppm[header.size() + 0]), 1);
  EXPECT_EQ(uint8_t(ppm[header.size() + 1]), 254);
  EXPECT_EQ(uint8_t(ppm[header.size() + 9]), 4);
}

TEST_F(Rkinfo, DirectColourPicturesShowAtFullRange) {
  // 5- and 6-bit channels are widened by repeating their bits: the largest
  // value is 255, a middle one lands where viewers put it, 0 stays 0.
  struct Case {
    const char *what;
    uint32_t compression;
    std::vector<uint8_t> masks;
    uint16_t pixel;
    std::string rgb, info;
  } cases[] = {
      {"5-5-5 red", 0, {}, 0x7C00, std::string("\xFF\x00\x00", 3), "bitmap 1 1 15 4\n"},
      {"5-5-5 white", 0, {}, 0x7FFF, "\xFF\xFF\xFF", "bitmap 1 1 15 4\n"},
      {"5-5-5 grey 16", 0, {}, 0x4210, "\x84\x84\x84", "bitmap 1 1 15 4\n"},
      {"5-6-5 white", 3, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, 0xFFFF, "\xFF\xFF\xFF",
       "bitmap 1 1 16 4\n"},
      {"5-6-5 green 32", 3, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, 0x0400,
       std::string("\x00\x82\x00", 3), "bitmap 1 1 16 4\n"},
  };
  for (const Case &c : cases) {
    BmpFile f;
    f.width = 1;
    f.height = 1;
    f.bits = 16;
    f.compression = c.compression;
    f.colorTable = c.masks;
    f.pixels = {uint8_t(c.pixel), uint8_t(c.pixel >> 8), 0, 0};
    ToolRun r = run(file("c.bmp", bmpBytes(f)) + " --ppm " + (dir / "c.ppm").string());
    EXPECT_EQ(r.status, 0) << c.what << r.err;
    EXPECT_EQ(r.out, c.info) << c.what;
    std::string ppm = slurp(dir / "c.ppm");
    ASSERT_GE(ppm.size(), 3u);
    EXPECT_EQ(ppm.substr(ppm.size() - 3), c.rgb) << c.what;
  }
  // Eight-bit channels pass unchanged.
  BmpFile t;
  t.width = 1;
  t.height = 1;
  t.bits = 24;
  t.pixels = {0x12, 0x80, 0xF7, 0};
  ToolRun r = run(file("t.bmp", bmpBytes(t)) + " --ppm " + (dir / "t.ppm").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir / "t.ppm").substr(11), "\xF7\x80\x12");
}

TEST_F(Rkinfo, FontsAreDescribedAndTextIsDrawnFromRowOne) {
  WinFont w;
  w.first = 65;
  w.last = 66;
  w.pixelHeight = 3;
  w.ascent = 2;
  w.maxWidth = 4;
  w.face = "Mini Font";
  w.glyphs = {solidGlyph(3, 3, 0xE0), solidGlyph(4, 3, 0x90)};
  std::string fnt = file("mini.fnt", winFontBytes(w));
  ToolRun r = run(fnt + " --text \"AB\" --pgm " + (dir / "t.pgm").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "font 3 3 2 4 Mini Font\n");
  std::string pgm = slurp(dir / "t.pgm");
  std::string header = "P5\n7 4\n255\n";
  ASSERT_EQ(pgm.size(), header.size() + 28);
  EXPECT_EQ(pgm.substr(0, header.size()), header);
  std::string rows = pgm.substr(header.size());
  std::string expected = std::string(7, '\0') + std::string("\xFF\xFF\xFF\xFF\0\0\xFF", 7);
  EXPECT_EQ(rows.substr(0, 14), expected);
}

TEST_F(Rkinfo, ErrorsGiveTheLibraryTextAndExitOne) {
  ToolRun missing = run((dir / "gone.bmp").string());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Bitmap file was not found\n");
  ToolRun missingFont = run((dir / "gone.fnt").string());
  EXPECT_EQ(missingFont.status, 1);
  EXPECT_EQ(missingFont.err, "Couldn't find font file\n");
  BmpFile rle;
  rle.compression = 1;
  rle.colorTable = rampPalette(256);
  rle.pixels = {0, 0, 0, 0};
  ToolRun bad = run(file("rle.bmp", bmpBytes(rle)));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "Invalid bitmap file\n");
  ToolRun junk = run(file("junk.fnt", std::vector<uint8_t>(50, 7)));
  EXPECT_EQ(junk.status, 1);
  EXPECT_EQ(junk.err, "Font file corrupted\n");
  // A bitmap by content whatever its name.
  BmpFile ok;
  ok.colorTable = rampPalette(256);
  ok.pixels = {0, 0, 0, 0};
  ToolRun named = run(file("looks.fnt", bmpBytes(ok)));
  EXPECT_EQ(named.status, 0);
  EXPECT_EQ(named.out, "bitmap 1 1 8 4\n");
  EXPECT_EQ(run("").status, 1);
  EXPECT_EQ(run(file("x.bmp", bmpBytes(ok)) + " --text A").status, 1);
}
