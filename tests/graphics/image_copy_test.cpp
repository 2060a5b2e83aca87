// Area copies and stretches between contexts, and the packed drivers' line.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "graphics/rasterkit.h"
#include "image_context.h"

using testfiles::TestContext;

namespace {

void number(TestContext &ctx) {
  for (int y = 0; y <= ctx.live()->maxY; ++y)
    for (int x = 0; x <= ctx.live()->maxX; ++x) ctx.set8(x, y, uint8_t(1 + 16 * y + x));
}

uint32_t numberAt(int x, int y) {
  return uint32_t(1 + 16 * y + x);
}

// Makes a memory context pose as another kind for the copy dispatch, and
// puts its kind back before it is closed.
struct PoseAs {
  DeviceContext *dc;
  int32_t kind;
  PoseAs(DeviceContext *c, int k) : dc(c), kind(c->kind) { c->kind = k; }
  ~PoseAs() { dc->kind = kind; }
};

}  // namespace

TEST(CopyArea, BothClipRectanglesCutTheCopyAndMoveItsCorner) {
  TestContext src(8, 8), dst(10, 10);
  number(src);
  src.clipTo(2, 1, 8, 8);
  dst.clipTo(0, 0, 6, 10);
  RK_copyArea(dst.dc, src.dc, 0, 0, 5, 4, 3, 2, 0);
  // The source cut 2 columns and 1 row: the copy starts at (5, 3); the
  // destination clip then keeps a single column.
  EXPECT_EQ(dst.inked(), 3);
  EXPECT_EQ(dst.at(5, 3), numberAt(2, 1));
  EXPECT_EQ(dst.at(5, 5), numberAt(2, 3));
  EXPECT_EQ(dst.at(5, 2), 0u);
  EXPECT_EQ(dst.at(6, 3), 0u);
  // Copies reaching past the surface edges stay inside.
  src.clipTo(0, 0, 8, 8);
  RK_copyArea(dst.dc, src.dc, -100, -100, INT_MAX, INT_MAX, -101, -101, 0);
  EXPECT_EQ(dst.at(0, 0), numberAt(1, 1));
  EXPECT_EQ(dst.at(5, 6), numberAt(6, 7));
  EXPECT_EQ(dst.at(6, 6), 0u);
}

TEST(CopyArea, ACurrentContextIsReadAndWrittenThroughItsMirror) {
  TestContext src(4, 4), dst(4, 4);
  number(src);
  RK_selectContext(dst.dc);
  RK_copyArea(dst.dc, src.dc, 0, 0, 4, 4, 0, 0, 0);
  EXPECT_EQ(dst.at(3, 3), numberAt(3, 3));
  RK_selectContext(src.dc);
  src.set8(0, 0, 99);
  RK_copyArea(dst.dc, src.dc, 0, 0, 1, 1, 1, 0, 0);
  EXPECT_EQ(dst.at(1, 0), 99u);
}

TEST(CopyArea, OverlappingCopiesWithinOneContextComeOutWhole) {
  for (int dx : {-1, 0, 1})
    for (int dy : {-1, 0, 1}) {
      TestContext ctx(8, 8);
      number(ctx);
      RK_copyArea(ctx.dc, ctx.dc, 2, 2, 6, 6, 2 + dx, 2 + dy, 0);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
          ASSERT_EQ(ctx.at(2 + dx + x, 2 + dy + y), numberAt(2 + x, 2 + y)) << dx << dy << " at " << x << y;
    }
}

TEST(CopyArea, UnsuitableSourcesAndPairsAreRefused) {
  TestContext mono(8, 8, 1), dst(8, 8);
  ASSERT_NE(mono.dc, nullptr);
  RK_copyArea(dst.dc, mono.dc, 0, 0, 8, 8, 0, 0, 0);
  EXPECT_EQ(RK_lastError(), -16);

  TestContext window(4, 4), other(4, 4);
  number(window);
  {
    PoseAs a(window.dc, RK_KindWindowed), b(other.dc, RK_KindWindowed);
    RK_copyArea(other.dc, window.dc, 0, 0, 4, 4, 0, 0, 0);
    EXPECT_EQ(RK_lastError(), -16);
    EXPECT_EQ(other.inked(), 0);
  }
  {
    // A display source read back into memory.
    PoseAs a(window.dc, RK_KindWindowed);
    RK_copyArea(other.dc, window.dc, 1, 1, 3, 3, 0, 0, 0);
    EXPECT_EQ(RK_lastError(), 0);
    EXPECT_EQ(other.at(1, 1), numberAt(2, 2));
  }
}

TEST(CopyArea, DifferentPalettesAndDepthsAreTranslated) {
  TestContext src(2, 1), dst(2, 1), dst32(2, 1, 32);
  std::vector<PaletteEntry> a(256, PaletteEntry{0, 0, 0, 0}), b(256, PaletteEntry{0, 0, 0, 0});
  a[1] = PaletteEntry{10, 20, 30, 0};
  b[7] = PaletteEntry{10, 20, 30, 0};
  b[1] = PaletteEntry{200, 200, 200, 0};
  src.setPalette(a.data(), 256);
  dst.setPalette(b.data(), 256);
  src.set8(0, 0, 1);
  RK_copyArea(dst.dc, src.dc, 0, 0, 2, 1, 0, 0, 0);
  EXPECT_EQ(dst.at(0, 0), 7u);
  RK_copyArea(dst32.dc, src.dc, 0, 0, 2, 1, 0, 0, 0);
  int r, g, bl;
  RK_unpackPixel(dst32.live()->pixelFormat, dst32.at(0, 0), &r, &g, &bl);
  EXPECT_EQ(r, 30);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(bl, 10);
}

TEST(StretchArea, DoublingCopiesEverySourcePixelIntoItsBlock) {
  TestContext src(4, 3), rows(4, 6), both(8, 6);
  number(src);
  RK_stretchArea(rows.dc, src.dc, 0, 0, 4, 3, 0, 0, 4, 6);
  RK_stretchArea(both.dc, src.dc, 0, 0, 4, 3, 0, 0, 8, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(rows.at(x, y), numberAt(x, y / 2)) << x << "," << y;
    for (int x = 0; x < 8; ++x) ASSERT_EQ(both.at(x, y), numberAt(x / 2, y / 2)) << x << "," << y;
  }
}

TEST(StretchArea, GeneralFactorsMapEveryDestinationPixel) {
  TestContext src(4, 3), three(12, 9), odd(7, 5), same(4, 3);
  number(src);
  RK_stretchArea(three.dc, src.dc, 0, 0, 4, 3, 0, 0, 12, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(three.at(x, y), numberAt(x / 3, y / 3)) << x << "," << y;
  RK_stretchArea(odd.dc, src.dc, 0, 0, 3, 2, 0, 0, 7, 5);
  EXPECT_EQ(odd.inked(), 7 * 5);
  EXPECT_EQ(odd.at(0, 0), numberAt(0, 0));
  EXPECT_EQ(odd.at(6, 4), numberAt(2, 1));
  for (int x = 1; x < 7; ++x) EXPECT_GE(odd.at(x, 0), odd.at(x - 1, 0));
  // Factor one in both directions is a plain copy.
  RK_stretchArea(same.dc, src.dc, 0, 0, 4, 3, 0, 0, 4, 3);
  EXPECT_EQ(same.at(3, 2), numberAt(3, 2));
}

TEST(StretchArea, TheDestinationClipCutsWithoutShiftingThePicture) {
  TestContext src(4, 4), dst(8, 8);
  number(src);
  dst.clipTo(3, 1, 6, 5);
  RK_stretchArea(dst.dc, src.dc, 0, 0, 4, 4, 0, 0, 8, 8);
  EXPECT_EQ(dst.inked(), 3 * 4);
  for (int y = 1; y < 5; ++y)
    for (int x = 3; x < 6; ++x) EXPECT_EQ(dst.at(x, y), numberAt(x / 2, y / 2)) << x << "," << y;
  // Destinations far beyond the surface stay inside it.
  TestContext big(4, 4);
  RK_stretchArea(big.dc, src.dc, 0, 0, 2, 2, -3, -3, 5, 5);
  EXPECT_EQ(big.at(0, 0), numberAt(0, 0));
  EXPECT_EQ(big.at(3, 3), numberAt(1, 1));
}

TEST(StretchArea, RefusedPairsAndEmptyRectangles) {
  TestContext ctx(4, 4), nibble(4, 4, 4), dst(8, 8);
  RK_stretchArea(ctx.dc, ctx.dc, 0, 0, 2, 2, 0, 0, 4, 4);
  EXPECT_EQ(RK_lastError(), -16);
  RK_stretchArea(dst.dc, nibble.dc, 0, 0, 2, 2, 0, 0, 4, 4);
  EXPECT_EQ(RK_lastError(), -16);
  number(ctx);
  RK_stretchArea(dst.dc, ctx.dc, 2, 2, 2, 4, 0, 0, 4, 4);  // no source width
  RK_stretchArea(dst.dc, ctx.dc, 0, 0, 2, 2, 4, 4, 0, 0);  // inverted destination
  EXPECT_EQ(dst.inked(), 0);
  EXPECT_EQ(RK_lastError(), 0);
}

TEST(StretchArea, UnequalPalettesAreTranslated) {
  TestContext src(1, 1), dst(2, 2);
  std::vector<PaletteEntry> a(256, PaletteEntry{0, 0, 0, 0}), b(256, PaletteEntry{0, 0, 0, 0});
  a[5] = PaletteEntry{1, 2, 3, 0};
  b[9] = PaletteEntry{1, 2, 3, 0};
  src.setPalette(a.data(), 256);
  dst.setPalette(b.data(), 256);
  src.set8(0, 0, 5);
  RK_stretchArea(dst.dc, src.dc, 0, 0, 1, 1, 0, 0, 2, 2);
  EXPECT_EQ(dst.at(1, 1), 9u);
}

TEST(DriverLine, LinesAreClippedAndStrayCoordinatesFinishQuickly) {
  TestContext ctx(8, 8);
  RK_selectContext(ctx.dc);
  RK_setDrawColor(3);
  DeviceContext *m = ctx.live();
  ctx.clipTo(1, 1, 7, 7);
  m->driver.drawLine(m, -4, -4, 12, 12);
  EXPECT_EQ(ctx.inked(), 6);
  EXPECT_EQ(ctx.at(1, 1), 3u);
  EXPECT_EQ(ctx.at(6, 6), 3u);
  EXPECT_EQ(ctx.at(0, 0), 0u);
  m->driver.drawLine(m, INT_MIN, 4, INT_MAX, 4);
  EXPECT_EQ(ctx.at(1, 4), 3u);
  EXPECT_EQ(ctx.at(6, 4), 3u);
  EXPECT_EQ(ctx.at(0, 4), 0u);
  m->driver.drawLine(m, INT_MIN, INT_MIN, INT_MIN + 5, INT_MAX);  // wholly outside
}
