// Where the pixel rows start: the file header's pixel-data offset, when it
// points at or past the end of the colour table and inside the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "bitmap_writers.h"
#include "graphics/rasterkit.h"
#include "image_context.h"

using namespace testfiles;

namespace {

struct Loaded {
  Bitmap *bmp = nullptr;
  int error = 0;
  ~Loaded() { RK_freeBitmap(bmp); }
};

// Reads the file placed `start` bytes into a stream that begins with filler.
void load(const std::vector<uint8_t> &bytes, int wantPalette, long start, Loaded &out) {
  std::vector<uint8_t> data(size_t(start), 0x5A);
  data.insert(data.end(), bytes.begin(), bytes.end());
  FILE *f = fmemopen(data.data(), data.size(), "rb");
  ASSERT_NE(f, nullptr);
  out.bmp = RK_readBitmapStream(f, start, wantPalette);
  out.error = RK_lastError();
  std::fclose(f);
}

std::vector<uint8_t> masks(uint32_t r, uint32_t g, uint32_t b) {
  std::vector<uint8_t> m;
  put32(m, r);
  put32(m, g);
  put32(m, b);
  return m;
}

void expectPattern(const Bitmap *b, int width, int height, uint32_t modulo) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(packedPixelAt(b->surface + y * b->bytesPerLine, b->bitsPerPixel, x), uint32_t(x + 3 * y) % modulo)
          << "pixel " << x << "," << y;
}

std::vector<uint8_t> surfaceBytes(const Bitmap *b) {
  return std::vector<uint8_t>(b->surface, b->surface + size_t(b->bytesPerLine) * size_t(b->height));
}

}  // namespace

TEST(BitmapPixelOffset, DirectColourPixelsAfterAnOptionalColourTableDecode) {
  struct Case {
    const char *what;
    int bits;
    uint32_t compression;
    std::vector<uint8_t> masks;
    uint32_t modulo;
  } cases[] = {
      {"16 bits 5-5-5", 16, 0, {}, 0x8000},
      {"16 bits 5-6-5 bit fields", 16, 3, masks(0xF800, 0x7E0, 0x1F), 0x10000},
      {"24 bits", 24, 0, {}, 0x1000000},
      {"32 bits", 32, 0, {}, 0xFFFFFFFF},
      {"32 bits bit fields", 32, 3, masks(0xFF0000, 0xFF00, 0xFF), 0xFFFFFFFF},
  };
  for (const Case &c : cases) {
    BmpFile f;
    f.width = 5;
    f.height = 3;
    f.bits = uint16_t(c.bits);
    f.compression = c.compression;
    f.colorsUsed = 16;
    // The masks come first, then the optional table the reader doesn't use.
    f.colorTable = c.masks;
    const std::vector<uint8_t> table = rampPalette(16);
    f.colorTable.insert(f.colorTable.end(), table.begin(), table.end());
    f.pixels = packRows(patternPixels(5, 3, c.modulo), c.bits, false);
    for (long start : {0L, 100L})
      for (int want : {0, 1}) {
        SCOPED_TRACE(testing::Message() << c.what << ", stream start " << start << ", palette " << want);
        Loaded l;
        load(bmpBytes(f), want, start, l);
        ASSERT_NE(l.bmp, nullptr);
        EXPECT_EQ(l.error, 0);
        ASSERT_NE(l.bmp->pixelFormat, nullptr);
        expectPattern(l.bmp, 5, 3, c.modulo);
      }
  }
}

TEST(BitmapPixelOffset, PalettedFilesWithAGapBeforeTheirPixelsDecode) {
  struct Case {
    int bits;
    uint32_t colorsUsed;
    uint32_t gap;
  } cases[] = {{8, 0, 37}, {8, 3, 2}, {8, 200, 1024}, {4, 0, 4}, {1, 2, 9}};
  for (const Case &c : cases) {
    BmpFile f;
    f.width = 6;
    f.height = -4;  // top-down as well as bottom-up below
    f.bits = uint16_t(c.bits);
    f.colorsUsed = c.colorsUsed;
    f.colorTable = rampPalette(c.colorsUsed ? int(c.colorsUsed) : 1 << c.bits);
    f.gap = c.gap;
    const uint32_t modulo = 1u << c.bits;
    for (bool topDown : {true, false}) {
      f.height = topDown ? -4 : 4;
      f.pixels = packRows(patternPixels(6, 4, modulo), c.bits, topDown);
      for (long start : {0L, 100L})
        for (int want : {0, 1}) {
          SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.colorsUsed << " colours, gap " << c.gap
                                          << ", top-down " << topDown << ", start " << start << ", palette "
                                          << want);
          Loaded l;
          load(bmpBytes(f), want, start, l);
          ASSERT_NE(l.bmp, nullptr);
          expectPattern(l.bmp, 6, 4, modulo);
          if (want) {
            ASSERT_NE(l.bmp->palette, nullptr);
            EXPECT_EQ(l.bmp->palette[1].green, 254);  // the table itself was read from its place
          }
        }
    }
  }
}

TEST(BitmapPixelOffset, OffsetsThatDoNotPointBeyondTheTableInsideTheFileChangeNothing) {
  for (int bits : {8, 24}) {
    BmpFile f;
    f.width = 7;
    f.height = 5;
    f.bits = uint16_t(bits);
    f.colorsUsed = bits == 8 ? 20 : 0;
    f.colorTable = bits == 8 ? rampPalette(20) : std::vector<uint8_t>{};
    f.pixels = packRows(patternPixels(7, 5, bits == 8 ? 256 : 0xFFFFFF), bits, false);
    const int64_t size = int64_t(bmpBytes(f).size());
    const int64_t tableEnd = 54 + int64_t(f.colorTable.size());
    for (long start : {0L, 100L}) {
      Loaded baseline;
      load(bmpBytes(f), 1, start, baseline);
      ASSERT_NE(baseline.bmp, nullptr);
      expectPattern(baseline.bmp, 7, 5, bits == 8 ? 256 : 0xFFFFFF);
      // Zero, inside the file header, inside the info header, inside the
      // table, at the file's end, past it, and the largest value.
      for (int64_t offset : {int64_t(0), int64_t(10), int64_t(30), tableEnd - 4, size, size + 1000,
                             int64_t(0xFFFFFFFF)}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, start " << start << ", offset " << offset);
        BmpFile odd = f;
        odd.dataOffset = offset;
        Loaded l;
        load(bmpBytes(odd), 1, start, l);
        ASSERT_NE(l.bmp, nullptr);
        EXPECT_EQ(l.error, 0);
        EXPECT_EQ(surfaceBytes(l.bmp), surfaceBytes(baseline.bmp));
      }
    }
  }
}
