// Drawing bitmaps onto contexts: placement, clipping, 1-bit pictures in the
// current colour, the palette check and conversion between formats.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "graphics/rasterkit.h"
#include "image_context.h"

using testfiles::TestContext;

namespace {

// One allocation like the reader's, filled by hand.
struct OwnedBitmap {
  std::vector<uint8_t> pixels;
  std::vector<PaletteEntry> palette;
  PixelFormat format{};
  Bitmap bmp{};
  OwnedBitmap(int width, int height, int bits) {
    int raw = bits == 1 ? (width + 7) / 8 : bits == 4 ? (width + 1) / 2 : width * ((bits + 7) / 8);
    bmp.width = width;
    bmp.height = height;
    bmp.bitsPerPixel = bits;
    bmp.bytesPerLine = (raw + 3) & ~3;
    pixels.assign(size_t(bmp.bytesPerLine) * size_t(height), 0);
    bmp.surface = pixels.data();
  }
  void withPalette(const std::vector<PaletteEntry> &entries) {
    palette = entries;
    palette.resize(256, PaletteEntry{0, 0, 0, 0});
    bmp.palette = palette.data();
  }
  void withFormat(const PixelFormat &pf) {
    format = pf;
    bmp.pixelFormat = &format;
  }
  uint8_t &at8(int x, int y) { return pixels[size_t(y) * size_t(bmp.bytesPerLine) + size_t(x)]; }
};

OwnedBitmap numbered(int width, int height) {
  OwnedBitmap b(width, height, 8);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.at8(x, y) = uint8_t(100 + 10 * y + x);
  return b;
}

std::vector<PaletteEntry> greys() {
  std::vector<PaletteEntry> p(256);
  for (int i = 0; i < 256; ++i) p[size_t(i)] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  return p;
}

const PixelFormat kRgb565{0x1F, 0x3F, 0x1F, 0, 11, 3, 5, 2, 0, 3, 0, 0};

}  // namespace

TEST(BitmapDraw, SameFormatPicturesLandAtTheirPositionAndNowhereElse) {
  TestContext ctx(16, 12);
  ctx.fill(7);
  OwnedBitmap b = numbered(4, 3);
  RK_drawBitmapAt(ctx.dc, 2, 3, &b.bmp, 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) {
      bool inside = x >= 2 && x < 6 && y >= 3 && y < 6;
      ASSERT_EQ(ctx.at(x, y), inside ? uint32_t(100 + 10 * (y - 3) + (x - 2)) : 7u) << x << "," << y;
    }
}

TEST(BitmapDraw, ClippingKeepsOnlyTheVisiblePartInPlace) {
  TestContext ctx(16, 12);
  RK_selectContext(ctx.dc);
  ctx.clipTo(5, 5, 10, 10);
  OwnedBitmap b = numbered(4, 4);
  RK_drawBitmapAt(ctx.dc, 20, 20, &b.bmp, 0);  // wholly outside
  RK_drawBitmapAt(ctx.dc, 0, 0, &b.bmp, 0);    // wholly outside on the other side
  EXPECT_EQ(ctx.inked(), 0);
  RK_drawBitmapAt(ctx.dc, 3, 4, &b.bmp, 0);  // cut on the left and top
  EXPECT_EQ(ctx.inked(), 2 * 3);
  EXPECT_EQ(ctx.at(5, 5), uint32_t(100 + 10 * 1 + 2));  // first visible column and row
  EXPECT_EQ(ctx.at(6, 7), uint32_t(100 + 10 * 3 + 3));
  EXPECT_EQ(ctx.at(4, 5), 0u);
}

TEST(BitmapDraw, ViewportMovesTheDrawingAndClipOffStillStopsAtTheSurface) {
  TestContext ctx(8, 8);
  RK_selectContext(ctx.dc);
  DeviceContext *m = ctx.live();
  m->attributes.viewport = RK_Rect{2, 1, 8, 8};
  m->attributes.clip = RK_Rect{0, 0, 6, 7};
  OwnedBitmap b = numbered(3, 3);
  RK_drawBitmapAt(ctx.dc, 0, 0, &b.bmp, 0);
  EXPECT_EQ(ctx.at(2, 1), 100u);
  EXPECT_EQ(ctx.at(1, 1), 0u);
  m->attributes.clipOn = 0;
  OwnedBitmap big = numbered(20, 20);
  RK_drawBitmapAt(ctx.dc, -5, -5, &big.bmp, 0);  // would reach far outside the surface
  EXPECT_EQ(ctx.at(0, 0), uint32_t(100 + 10 * 4 + 3));
  EXPECT_EQ(ctx.at(7, 7), uint32_t(100 + 10 * 11 + 10));
}

TEST(BitmapDraw, OneBitPicturesSetTheCurrentColourUnderSetBitsOnly) {
  TestContext ctx(16, 8);
  ctx.fill(7);
  RK_selectContext(ctx.dc);
  RK_setDrawColor(13);
  OwnedBitmap b(5, 2, 1);
  b.pixels[0] = 0xA8 | 0x07;  // 1 0 1 0 1, then padding bits that are set
  b.pixels[4] = 0x50;         // 0 1 0 1 0
  b.pixels[1] = b.pixels[5] = 0xFF;
  RK_drawBitmapAt(ctx.dc, 1, 1, &b.bmp, 0);
  const char *expected[2] = {"1.1.1", ".1.1."};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(ctx.at(1 + x, 1 + y), expected[y][x] == '1' ? 13u : 7u) << x << "," << y;
  EXPECT_EQ(ctx.at(6, 1), 7u);  // padding stays undrawn
  EXPECT_EQ(ctx.at(9, 1), 7u);
  EXPECT_EQ(ctx.at(1, 0), 7u);
  EXPECT_EQ(ctx.live()->attributes.writeMode, 0);

  // Cut on the left: the visible bits stay where they were.
  ctx.fill(7);
  ctx.clipTo(3, 0, 16, 8);
  RK_drawBitmapAt(ctx.dc, 1, 1, &b.bmp, 1);  // exclusive or
  EXPECT_EQ(ctx.at(2, 2), 7u);
  EXPECT_EQ(ctx.at(3, 1), 7u ^ 13u);
  EXPECT_EQ(ctx.at(4, 2), 7u ^ 13u);
  EXPECT_EQ(ctx.at(4, 1), 7u);
  EXPECT_EQ(ctx.live()->attributes.writeMode, 0);
  EXPECT_EQ(ctx.live()->attributes.clip.left, 3);
}

TEST(BitmapDraw, PaletteCheckChoosesBetweenRawCopyAndTranslation) {
  TestContext ctx(4, 1);
  std::vector<PaletteEntry> pal = greys();
  ctx.setPalette(pal.data(), 256);
  OwnedBitmap b(4, 1, 8);
  for (int x = 0; x < 4; ++x) b.at8(x, 0) = uint8_t(x);
  b.withPalette(pal);
  RK_drawBitmapAt(ctx.dc, 0, 0, &b.bmp, 0);
  EXPECT_EQ(ctx.at(3, 0), 3u);
  // Index 3 of the picture is the context's grey 200: translated, not copied.
  b.palette[3] = PaletteEntry{200, 200, 200, 0};
  b.palette[2] = PaletteEntry{90, 91, 90, 0};
  RK_drawBitmapAt(ctx.dc, 0, 0, &b.bmp, 0);
  EXPECT_EQ(ctx.at(3, 0), 200u);
  EXPECT_EQ(ctx.at(2, 0), 90u);
  EXPECT_EQ(ctx.at(1, 0), 1u);
  // Without a palette the indices go through as they are.
  b.bmp.palette = nullptr;
  RK_drawBitmapAt(ctx.dc, 0, 0, &b.bmp, 0);
  EXPECT_EQ(ctx.at(3, 0), 3u);
}

TEST(BitmapDraw, OtherDepthsAreConvertedIntoTheContextFormat) {
  TestContext ctx16(3, 1, 16, &kRgb565);
  ASSERT_NE(ctx16.dc, nullptr);
  OwnedBitmap indexed(3, 1, 4);
  indexed.pixels[0] = 0x12;
  indexed.pixels[1] = 0x30;
  indexed.withPalette({{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}});
  RK_drawBitmapAt(ctx16.dc, 0, 0, &indexed.bmp, 0);
  EXPECT_EQ(ctx16.at(0, 0), 0xF800u);  // red
  EXPECT_EQ(ctx16.at(1, 0), 0x07E0u);  // green
  EXPECT_EQ(ctx16.at(2, 0), 0x001Fu);  // blue

  OwnedBitmap rgb(2, 1, 24);
  rgb.withFormat(PixelFormat{0xFF, 0xFF, 0xFF, 0, 16, 0, 8, 0, 0, 0, 0, 0});
  rgb.pixels = {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};  // red, white
  rgb.bmp.surface = rgb.pixels.data();
  RK_drawBitmapAt(ctx16.dc, 1, 0, &rgb.bmp, 0);
  EXPECT_EQ(ctx16.at(1, 0), 0xF800u);
  EXPECT_EQ(ctx16.at(2, 0), 0xFFFFu);

  // A direct-colour picture onto a palette context takes the nearest entry.
  TestContext ctx8(2, 1);
  std::vector<PaletteEntry> pal = greys();
  pal[9] = PaletteEntry{0, 0, 250, 0};
  ctx8.setPalette(pal.data(), 256);
  RK_drawBitmapAt(ctx8.dc, 0, 0, &rgb.bmp, 0);
  EXPECT_EQ(ctx8.at(0, 0), 9u);
  EXPECT_EQ(ctx8.at(1, 0), 255u);

  // A 4-bit picture without palette keeps its indices on an 8-bit context.
  indexed.bmp.palette = nullptr;
  RK_drawBitmapAt(ctx8.dc, 0, 0, &indexed.bmp, 0);
  EXPECT_EQ(ctx8.at(0, 0), 1u);
  EXPECT_EQ(ctx8.at(1, 0), 2u);
}

TEST(BitmapDraw, NothingHappensWithoutAPictureOrContext) {
  TestContext ctx(4, 4);
  RK_drawBitmapAt(ctx.dc, 0, 0, nullptr, 0);
  OwnedBitmap b = numbered(2, 2);
  RK_drawBitmapAt(nullptr, 0, 0, &b.bmp, 0);
  EXPECT_EQ(ctx.inked(), 0);
}
