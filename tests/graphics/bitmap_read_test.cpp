// Reading BMP files: layouts, row order, row sizes and hostile headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

#include "bitmap_writers.h"
#include "common/portable.h"
#include "graphics/rasterkit.h"
#include "image_context.h"

using namespace testfiles;

namespace {

struct Loaded {
  Bitmap *bmp = nullptr;
  int error = 0;
  ~Loaded() { RK_freeBitmap(bmp); }
};

void load(const std::vector<uint8_t> &bytes, int wantPalette, Loaded &out, long offset = 0) {
  std::vector<uint8_t> data(size_t(offset), 0xAA);
  data.insert(data.end(), bytes.begin(), bytes.end());
  FILE *f = portable::memoryFile(data.data(), data.size());
  ASSERT_NE(f, nullptr);
  out.bmp = RK_readBitmapStream(f, offset, wantPalette);
  out.error = RK_lastError();
  std::fclose(f);
}

BmpFile picture(int width, int height, int bits, bool topDown = false) {
  BmpFile f;
  f.width = width;
  f.height = topDown ? -height : height;
  f.bits = uint16_t(bits);
  if (bits <= 8) f.colorTable = rampPalette(1 << bits);
  uint32_t modulo = bits <= 8 ? (1u << bits) : 0xFFFFFFu;
  f.pixels = packRows(patternPixels(width, height, modulo), bits, topDown);
  return f;
}

uint32_t pixelAt(const Bitmap *b, int x, int y) {
  return packedPixelAt(b->surface + y * b->bytesPerLine, b->bitsPerPixel, x);
}

}  // namespace

TEST(BitmapRead, EveryDepthKeepsItsPixelsTopRowFirstInBothFileOrders) {
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
      Loaded l;
      load(bmpBytes(picture(7, 5, bits, topDown)), 0, l);
      ASSERT_NE(l.bmp, nullptr);
      EXPECT_EQ(l.error, 0);
      EXPECT_EQ(l.bmp->width, 7);
      EXPECT_EQ(l.bmp->height, 5);
      EXPECT_EQ(l.bmp->bytesPerLine % 4, 0);
      uint32_t modulo = bits <= 8 ? (1u << bits) : 0xFFFFFFu;
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
          ASSERT_EQ(pixelAt(l.bmp, x, y), uint32_t(x + 3 * y) % modulo) << x << "," << y;
    }
  }
}

TEST(BitmapRead, RowSizesAreRoundedToFourBytes) {
  struct Case {
    int width, bits, bytesPerLine;
  } cases[] = {{3, 24, 12}, {5, 4, 4}, {33, 1, 8}, {640, 8, 640}, {1, 32, 4}, {3, 16, 8}};
  for (const Case &c : cases) {
    Loaded l;
    load(bmpBytes(picture(c.width, 2, c.bits)), 0, l);
    ASSERT_NE(l.bmp, nullptr) << c.width << "x" << c.bits;
    EXPECT_EQ(l.bmp->bytesPerLine, c.bytesPerLine) << c.width << "x" << c.bits;
  }
}

TEST(BitmapRead, ALargeBottomUpFileWithoutPaletteStartsWithItsLastRow) {
  BmpFile f = picture(640, 480, 8);
  Loaded l;
  load(bmpBytes(f), 0, l);
  ASSERT_NE(l.bmp, nullptr);
  EXPECT_EQ(l.bmp->bytesPerLine, 640);
  EXPECT_EQ(l.bmp->palette, nullptr);
  EXPECT_EQ(l.bmp->pixelFormat, nullptr);
  const uint8_t *lastFileRow = f.pixels.data() + f.pixels.size() - 640;
  EXPECT_EQ(std::memcmp(l.bmp->surface, lastFileRow, 640), 0);
}

TEST(BitmapRead, PaletteIsCopiedOnRequestWithReservedZeroAndMissingEntriesBlack) {
  BmpFile f = picture(4, 4, 8);
  f.colorsUsed = 3;
  f.colorTable = rampPalette(3);
  f.colorTable[3] = 0x77;  // a reserved byte the file sets
  Loaded l;
  load(bmpBytes(f), 1, l);
  ASSERT_NE(l.bmp, nullptr);
  ASSERT_NE(l.bmp->palette, nullptr);
  EXPECT_EQ(l.bmp->palette[2].red, 2);
  EXPECT_EQ(l.bmp->palette[2].green, 253);
  EXPECT_EQ(l.bmp->palette[0].reserved, 0);
  EXPECT_EQ(l.bmp->palette[3].red | l.bmp->palette[255].green, 0);
  // Pixels follow the three-entry table, not a full one.
  EXPECT_EQ(pixelAt(l.bmp, 1, 0), 1u);

  // The count may also stand in the field after colours-used.
  std::vector<uint8_t> bytes = bmpBytes(f);
  std::swap_ranges(bytes.begin() + 46, bytes.begin() + 50, bytes.begin() + 50);
  Loaded moved;
  load(bytes, 1, moved);
  ASSERT_NE(moved.bmp, nullptr);
  EXPECT_EQ(pixelAt(moved.bmp, 1, 0), 1u);
  EXPECT_EQ(moved.bmp->palette[2].green, 253);
}

TEST(BitmapRead, DirectColourFilesGetTheirPixelLayouts) {
  auto masks = [](uint32_t r, uint32_t g, uint32_t b) {
    std::vector<uint8_t> m;
    put32(m, r);
    put32(m, g);
    put32(m, b);
    return m;
  };
  struct Case {
    int bits;
    uint32_t compression;
    std::vector<uint8_t> table;
    int storedBits, redPos, greenPos, bluePos, redMask, redAdjust;
  } cases[] = {
      {16, 3, masks(0xF800, 0x7E0, 0x1F), 16, 11, 5, 0, 0x1F, 3},
      {16, 3, masks(0x7C00, 0x3E0, 0x1F), 15, 10, 5, 0, 0x1F, 3},
      {16, 0, {}, 15, 10, 5, 0, 0x1F, 3},
      {24, 0, {}, 24, 16, 8, 0, 0xFF, 0},
      {24, 3, masks(0xFF, 0xFF00, 0xFF0000), 24, 0, 8, 16, 0xFF, 0},
      {32, 0, {}, 32, 16, 8, 0, 0xFF, 0},
      {32, 3, masks(0xFF, 0, 0), 32, 0, 8, 16, 0xFF, 0},
      {32, 3, masks(0xFF00, 0, 0), 32, 8, 16, 24, 0xFF, 0},
      {32, 3, masks(0xFF0000, 0, 0), 32, 16, 8, 0, 0xFF, 0},
      {32, 3, masks(0xFF000000, 0, 0), 32, 24, 16, 8, 0xFF, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, red pos " << c.redPos);
    BmpFile f = picture(2, 2, c.bits);
    f.compression = c.compression;
    f.colorTable = c.table;
    Loaded l;
    load(bmpBytes(f), 1, l);
    ASSERT_NE(l.bmp, nullptr);
    EXPECT_EQ(l.bmp->palette, nullptr);
    ASSERT_NE(l.bmp->pixelFormat, nullptr);
    EXPECT_EQ(l.bmp->bitsPerPixel, c.storedBits);
    EXPECT_EQ(l.bmp->pixelFormat->redPos, c.redPos);
    EXPECT_EQ(l.bmp->pixelFormat->greenPos, c.greenPos);
    EXPECT_EQ(l.bmp->pixelFormat->bluePos, c.bluePos);
    EXPECT_EQ(l.bmp->pixelFormat->redMask, c.redMask);
    EXPECT_EQ(l.bmp->pixelFormat->redAdjust, c.redAdjust);
    EXPECT_EQ(pixelAt(l.bmp, 1, 1), 4u);  // the masks did not shift the rows
  }
}

TEST(BitmapRead, TheStreamIsReadFromItsOffset) {
  Loaded l;
  load(bmpBytes(picture(3, 3, 8)), 0, l, 100);
  ASSERT_NE(l.bmp, nullptr);
  EXPECT_EQ(pixelAt(l.bmp, 2, 2), 8u);
}

TEST(BitmapRead, MalformedAndUnsupportedFilesAreRejected) {
  auto expectRejected = [](const std::vector<uint8_t> &bytes, const char *what) {
    Loaded l;
    load(bytes, 1, l);
    EXPECT_EQ(l.bmp, nullptr) << what;
    EXPECT_EQ(l.error, -22) << what;
  };
  BmpFile f = picture(4, 4, 8);
  BmpFile g = f;
  g.compression = 1;
  expectRejected(bmpBytes(g), "run-length 8-bit");
  g = picture(4, 4, 4);
  g.compression = 2;
  expectRejected(bmpBytes(g), "run-length 4-bit");
  g = f;
  g.bits = 2;
  expectRejected(bmpBytes(g), "2 bits");
  g.bits = 15;
  expectRejected(bmpBytes(g), "15 bits");
  g = f;
  g.headerSize = 108;
  expectRejected(bmpBytes(g), "other info header");
  g = f;
  g.planes = 2;
  expectRejected(bmpBytes(g), "two planes");
  std::vector<uint8_t> bytes = bmpBytes(f);
  bytes[1] = 'A';
  expectRejected(bytes, "signature");
  expectRejected(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10), "short file header");
  bytes = bmpBytes(f);
  expectRejected(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40), "short info header");
  expectRejected({}, "empty file");
}

TEST(BitmapRead, HostileSizesAreRefusedBeforeAllocating) {
  struct Case {
    int32_t width, height;
    uint16_t bits;
    const char *what;
  } cases[] = {
      {4, INT_MIN, 8, "height INT_MIN"},
      {-4, 4, 8, "negative width"},
      {0, 4, 8, "no width"},
      {4, 0, 8, "no height"},
      {32769, 1, 8, "too wide"},
      {1, -32769, 8, "too high top-down"},
      {INT_MAX, 2, 32, "row size overflows"},
      {32768, 32768, 32, "4 GiB of pixels"},
      {20000, 20000, 8, "400 MB of pixels"},
  };
  for (const Case &c : cases) {
    BmpFile f;
    f.width = c.width;
    f.height = c.height;
    f.bits = c.bits;
    f.colorTable = c.bits <= 8 ? rampPalette(256) : std::vector<uint8_t>{};
    f.pixels.assign(64, 1);
    Loaded l;
    load(bmpBytes(f), 0, l);
    EXPECT_EQ(l.bmp, nullptr) << c.what;
    EXPECT_EQ(l.error, -22) << c.what;
  }
}

TEST(BitmapRead, MoreColoursThanTheDepthIndexesAreRefused) {
  for (int bits : {1, 4, 8}) {
    BmpFile f = picture(2, 2, bits);
    f.colorsUsed = (1u << bits) + 1;
    f.colorTable = rampPalette(int(f.colorsUsed));
    for (int want : {0, 1}) {
      Loaded l;
      load(bmpBytes(f), want, l);
      EXPECT_EQ(l.bmp, nullptr) << bits;
      EXPECT_EQ(l.error, -22) << bits;
    }
  }
  BmpFile f = picture(2, 2, 8);
  f.colorsUsed = 0xFFFFFFFFu;
  Loaded l;
  load(bmpBytes(f), 1, l);
  EXPECT_EQ(l.error, -22);
}

TEST(BitmapRead, MissingPixelRowsReadAsZero) {
  BmpFile f = picture(4, 6, 8);
  std::vector<uint8_t> bytes = bmpBytes(f);
  bytes.resize(bytes.size() - 4 * 4 - 2);  // four and a half rows short of six
  Loaded l;
  load(bytes, 0, l);
  ASSERT_NE(l.bmp, nullptr);
  EXPECT_EQ(l.error, 0);
  // The file stores the bottom row first: the bottom row and half the next
  // one arrived, everything above is zero.
  EXPECT_EQ(pixelAt(l.bmp, 3, 5), uint32_t(3 + 15) % 256);
  EXPECT_EQ(pixelAt(l.bmp, 1, 4), uint32_t(1 + 12));
  EXPECT_EQ(pixelAt(l.bmp, 2, 4), 0u);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(l.bmp, x, y), 0u);
}

TEST(BitmapRead, MissingFileReportsNotFound) {
  EXPECT_EQ(RK_readBitmapFile("no-such-picture-here.bmp", 0), nullptr);
  EXPECT_EQ(RK_lastError(), -23);
  EXPECT_STREQ(RK_errorText(-23), "Bitmap file was not found");
}
