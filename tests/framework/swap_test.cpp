#include "framework_fixture.h"

namespace {

using SwapTest = FrameworkTest;

void plot(DeviceContext *dc, int x, int y, uint8_t value) {
  DeviceContext *d = RK_resolveContext(dc);
  d->surface[y * d->bytesPerLine + x] = value;
}

uint8_t shown(int x, int y) {
  const HeadlessPresent &p = headlessRecord().lastPresent;
  return p.pixels[static_cast<size_t>(y) * p.width + x];
}

TEST_F(SwapTest, CopiesTheBackBufferToTheHiddenPageAndFlips) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  plot(*drawSlot, 10, 20, 42);
  plot(*drawSlot, 639, 479, 7);
  const int presents = headlessRecord().presentCount;
  swapBuffers(2);
  EXPECT_EQ(fw().visualPage, 1);
  EXPECT_EQ(fw().activePage, 0);
  EXPECT_EQ(RK_shownPage(fw().displayDC), 1);
  EXPECT_EQ(RK_drawnPage(fw().displayDC), 0);
  EXPECT_EQ(headlessRecord().presentCount, presents + 1);
  EXPECT_EQ(headlessRecord().lastPresent.waitVRT, 2);
  EXPECT_EQ(shown(10, 20), 42);
  EXPECT_EQ(shown(639, 479), 7);

  plot(*drawSlot, 10, 20, 43);
  swapBuffers(0);
  EXPECT_EQ(fw().visualPage, 0);
  EXPECT_EQ(fw().activePage, 1);
  EXPECT_EQ(shown(10, 20), 43);
}

TEST_F(SwapTest, StretchedModeShowsEachPixelTwiceEachWay) {
  headlessSetModes({{RK_FamilyDIB, 640, 480, 8, 2}});
  start(allDrivers());
  const VideoMode m = mode(320, 240);
  ASSERT_EQ(m.stretch, 2);
  ASSERT_TRUE(setMode(m, 0, 2, 0));  // stretching forces the back buffer
  ASSERT_NE(fw().backBufferDC, nullptr);
  EXPECT_EQ(RK_lastColumn(*drawSlot), 319);
  plot(*drawSlot, 3, 4, 99);
  swapBuffers(0);
  EXPECT_EQ(headlessRecord().lastPresent.width, 640);
  EXPECT_EQ(shown(6, 8), 99);
  EXPECT_EQ(shown(7, 9), 99);
  EXPECT_EQ(shown(5, 8), 0);
  EXPECT_EQ(shown(8, 10), 0);
}

TEST_F(SwapTest, SinglePageCopiesAndShowsWithoutFlipping) {
  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  ASSERT_EQ(RK_lastPage(fw().displayDC), 0);
  fw().activePage = 5;
  fw().visualPage = 6;
  plot(*drawSlot, 1, 1, 12);
  swapBuffers(2);
  EXPECT_EQ(fw().activePage, 5);
  EXPECT_EQ(fw().visualPage, 6);
  EXPECT_FALSE(headlessRecord().lastPresent.fullScreen);
  EXPECT_EQ(shown(1, 1), 12);

  headlessSetModes({{RK_FamilyDIB, 640, 480, 8, 1}});
  start(allDrivers());
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  plot(*drawSlot, 2, 2, 13);
  swapBuffers(2);
  EXPECT_EQ(RK_shownPage(fw().displayDC), 0);
  EXPECT_TRUE(headlessRecord().lastPresent.fullScreen);
  EXPECT_EQ(shown(2, 2), 13);
}

TEST_F(SwapTest, PaletteGoesToDisplayAndBackBuffer) {
  PaletteEntry entries[256] = {};
  swapBuffers(2);  // no mode yet: nothing to show or colour
  setFrameworkPalette(entries, 256, 0);
  realizeFrameworkPalette(256, 0, 0);
  EXPECT_EQ(headlessRecord().presentCount, 0);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  entries[5] = PaletteEntry{1, 2, 3, 99};
  setFrameworkPalette(entries, 1, 5);
  EXPECT_EQ(RK_resolveContext(fw().displayDC)->palette[5].red, 3);
  EXPECT_EQ(RK_resolveContext(fw().backBufferDC)->palette[5].blue, 1);
  EXPECT_EQ(RK_resolveContext(fw().backBufferDC)->palette[5].reserved, 0);
  const int realized = headlessRecord().realizeCount;
  realizeFrameworkPalette(1, 5, 0);
  EXPECT_GT(headlessRecord().realizeCount, realized);
  EXPECT_EQ(headlessRecord().lastRealize.entries[5].green, 2);
}

}  // namespace
