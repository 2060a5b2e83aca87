// The kelvaro-convert program, run as a child on PNG files written here: what
// it writes loads and draws in the game's own library, and every bad input
// ends with status 1, a message and nothing written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "common/portable.h"
#include "graphics/rasterkit.h"
#include "png_pictures.h"
#include "tools/kelvaro-convert/palette_match.h"

namespace fs = std::filesystem;
using namespace convertfiles;

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ConvertTool : public testing::Test {
 protected:
  void SetUp() override {
    dir = portable::makeTempFolder("kelvaro-convert-");
  }
  void TearDown() override { fs::remove_all(dir); }

  ToolRun run(const std::string &args) {
    ToolRun r;
    const std::string out = (dir / "stdout").string(), err = (dir / "stderr").string();
    const int rc = std::system((std::string(KELVARO_CONVERT_PROGRAM) + " " + args + " >" + out + " 2>" + err).c_str());
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
  }
  std::string path(const char *name) const { return (dir / name).string(); }
  std::string png(const char *name, const RgbaPicture &p) {
    EXPECT_TRUE(writePng(path(name), p));
    return path(name);
  }
  std::string bytes(const char *name, const std::string &content) {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }
  // Only the files the test made itself, the tool's output streams and
  // `kept` are in the folder: no output, no half-written leftover.
  void expectNothingWritten(const std::set<std::string> &inputs) {
    for (const auto &entry : fs::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (name == "stdout" || name == "stderr" || inputs.count(name)) continue;
      ADD_FAILURE() << "left behind: " << name;
    }
  }
  fs::path dir;
};

struct LoadedBitmap {
  Bitmap *bmp;
  explicit LoadedBitmap(const std::string &file) : bmp(RK_readBitmapFile(file.c_str(), 1)) {}
  ~LoadedBitmap() { RK_freeBitmap(bmp); }
};

}  // namespace

TEST_F(ConvertTool, PaletteColoursComeBackAsTheirIndicesAndDrawAsThemselves) {
  for (GamePalette which : {GamePalette::Playing, GamePalette::Menu}) {
    const PaletteMatch palette(which);
    const char *name = which == GamePalette::Playing ? "play" : "menu";
    SCOPED_TRACE(name);
    // 13 wide: rows padded in the file, read back unpadded.
    const RgbaPicture picture = paletteColours(palette.entries(), palette.count(), 13);
    const std::string in = png("colours.png", picture);
    const std::string out = path("colours.bmp");
    const ToolRun r = run(in + " " + out + " --palette " + name + " --dither");
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<uint32_t> distinct;
    for (int i = 0; i < palette.count(); ++i) {
      const PaletteEntry &e = palette.entries()[i];
      distinct.insert(uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue);
    }
    EXPECT_EQ(r.out, out + ": 13x" + std::to_string(picture.height) + ", " +
                         (which == GamePalette::Playing ? "playing" : "menu") + " palette, " +
                         std::to_string(distinct.size()) + " colours\n");

    LoadedBitmap loaded(out);
    ASSERT_NE(loaded.bmp, nullptr) << RK_errorText(RK_lastError());
    const Bitmap *b = loaded.bmp;
    ASSERT_EQ(b->bitsPerPixel, 8);
    ASSERT_EQ(b->width, 13);
    ASSERT_EQ(b->height, picture.height);
    for (int i = 0; i < 256; ++i) {  // the file carries the palette for picture viewers
      EXPECT_EQ(b->palette[i].red, palette.entries()[i].red) << i;
      EXPECT_EQ(b->palette[i].blue, palette.entries()[i].blue) << i;
    }
    // Drawn as the game draws, into an 8-bit context holding the palette:
    // every pixel shows the picture's own colour.
    DeviceContext *dc = RK_openMemoryContext(13, picture.height, 8, nullptr);
    ASSERT_NE(dc, nullptr);
    RK_setPaletteRange(dc, palette.entries(), 256, 0);
    RK_drawBitmapAt(dc, 0, 0, b, 0);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < 13; ++x) {
        const uint8_t *rgb = picture.rgba.data() + (size_t(y) * 13 + size_t(x)) * 4;
        const uint8_t index = dc->surface[int64_t(y) * dc->bytesPerLine + x];
        ASSERT_EQ(index, firstWithColour(palette.entries(), rgb)) << x << "," << y;
        const PaletteEntry &shown = palette.entries()[index];
        ASSERT_EQ(shown.red, rgb[0]);
        ASSERT_EQ(shown.green, rgb[1]);
        ASSERT_EQ(shown.blue, rgb[2]);
      }
    RK_closeContext(dc);
  }
}

TEST_F(ConvertTool, TexturesMustHaveAWidthTheRendererStepsThrough) {
  const RgbaPicture good = blankPicture(127, 9);
  const ToolRun fits = run(png("good.png", good) + " " + path("good.bmp") + " --palette play --texture");
  EXPECT_EQ(fits.status, 0) << fits.err;
  EXPECT_TRUE(fs::exists(path("good.bmp")));

  const ToolRun wide = run(png("wide.png", blankPicture(128, 9)) + " " + path("wide.bmp") +
                           " --palette play --texture");
  EXPECT_EQ(wide.status, 1);
  EXPECT_NE(wide.err.find("wide.png"), std::string::npos) << wide.err;
  EXPECT_NE(wide.err.find("127 or 131 pixels wide"), std::string::npos) << wide.err;
  EXPECT_FALSE(fs::exists(path("wide.bmp")));
  // The same picture is fine as a background.
  EXPECT_EQ(run(path("wide.png") + " " + path("wide.bmp") + " --palette play").status, 0);
}

TEST_F(ConvertTool, BadInputsEndWithStatusOneAMessageAndNoOutput) {
  const RgbaPicture small = blankPicture(4, 4);
  const std::string good = png("good.png", small);
  std::string pngBytes = slurp(good);
  std::string damaged = pngBytes;
  damaged[damaged.size() / 2] ^= 0x55;  // a bit flip in the compressed data
  const std::string oversized = png("huge.png", blankPicture(8193, 1));
  bytes("notpng.png", std::string("BM") + std::string(60, '\0'));
  bytes("cut.png", pngBytes.substr(0, pngBytes.size() - 20));
  bytes("damaged.png", damaged);
  bytes("empty.png", "");
  fs::create_directory(dir / "folder");
  const std::set<std::string> inputs = {"good.png", "huge.png", "notpng.png", "cut.png", "damaged.png",
                                        "empty.png", "folder"};
  struct Case {
    std::string in, out, message;
  } cases[] = {
      {path("missing.png"), path("o.bmp"), "missing.png: No such file or directory"},
      {path("notpng.png"), path("o.bmp"), "notpng.png: not a PNG picture"},
      {path("empty.png"), path("o.bmp"), "empty.png: not a PNG picture"},
      {path("cut.png"), path("o.bmp"), "cut.png: damaged PNG picture"},
      {path("damaged.png"), path("o.bmp"), "damaged.png: damaged PNG picture"},
      {path("huge.png"), path("o.bmp"), "huge.png: 8193x1 pixels is too large"},
      {good, path("no-such-folder/o.bmp"), "cannot write"},
      {good, path("folder"), "cannot write"},
  };
  for (const Case &c : cases) {
    const ToolRun r = run(c.in + " " + c.out + " --palette menu");
    EXPECT_EQ(r.status, 1) << c.message;
    EXPECT_EQ(r.err.rfind("kelvaro-convert: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.message;
    expectNothingWritten(inputs);
  }

  // An earlier result under the output's name stays as it was.
  bytes("kept.bmp", "earlier picture");
  EXPECT_EQ(run(path("cut.png") + " " + path("kept.bmp") + " --palette play").status, 1);
  EXPECT_EQ(slurp(path("kept.bmp")), "earlier picture");

  // A wrong command line is status 2 with the usage.
  for (const char *args : {"", "--palette play", "a.png b.bmp", "a.png b.bmp --palette grey",
                           "a.png b.bmp c.bmp --palette play", "a.png b.bmp --palette play --sharpen"}) {
    const ToolRun r = run(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage: kelvaro-convert"), std::string::npos) << args;
  }
}

TEST_F(ConvertTool, GreyAndSixteenBitPngsReadAsOpaqueColour) {
  struct Case {
    png_uint_32 format;
    std::vector<uint8_t> pixels;  // black, then white, in the file's own layout
  } cases[] = {
      {PNG_FORMAT_GRAY, {0, 255}},
      {PNG_FORMAT_LINEAR_Y, {0, 0, 0xFF, 0xFF}},
      {PNG_FORMAT_GA, {0, 255, 255, 255}},
  };
  for (const Case &c : cases) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = 2;
    image.height = 1;
    image.format = c.format;
    ASSERT_NE(png_image_write_to_file(&image, path("grey.png").c_str(), 0, c.pixels.data(), 0, nullptr), 0);
    RgbaPicture read;
    std::string error;
    ASSERT_EQ(readPngFile(path("grey.png"), read, error), PngReadResult::Read) << error;
    ASSERT_EQ(read.width, 2);
    EXPECT_EQ(read.rgba, (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 255, 255})) << c.format;
  }
}
