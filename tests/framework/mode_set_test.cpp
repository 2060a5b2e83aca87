#include "framework_fixture.h"
#include "graphics/rk_platform.h"

namespace {

using ModeSetTest = FrameworkTest;

TEST_F(ModeSetTest, FullScreenDrawsIntoTheBackBufferOrTheHiddenPage) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_EQ(fw().inModeSet, 0);
  EXPECT_TRUE(RK_isDisplayContext(fw().displayDC));
  EXPECT_EQ(RK_lastPage(fw().displayDC), 1);
  EXPECT_EQ(*drawSlot, fw().backBufferDC);
  EXPECT_TRUE(RK_isMemoryContext(*drawSlot));
  EXPECT_EQ(RK_lastColumn(*drawSlot), 639);
  EXPECT_EQ(RK_lastRow(*drawSlot), 479);
  EXPECT_EQ(fw().activePage, 1);
  EXPECT_EQ(fw().visualPage, 0);
  EXPECT_EQ(RK_drawnPage(fw().displayDC), 1);
  EXPECT_TRUE(headlessRecord().fullScreen);
  EXPECT_EQ(headlessWindow(fw().window)->title, "Kelvaro");

  // Not forced: straight into the hidden page; more pages than the mode has
  // get what it has.
  ASSERT_TRUE(setMode(mode(640, 480), 0, 5, 0));
  EXPECT_EQ(fw().backBufferDC, nullptr);
  EXPECT_EQ(*drawSlot, fw().displayDC);
  EXPECT_EQ(RK_lastPage(fw().displayDC), 1);
  EXPECT_EQ(headlessRecord().windowsCreated, 1);

  headlessSetModes({{RK_FamilyDIB, 640, 480, 8, 1}});
  start(allDrivers());
  fw().activePage = 7;
  fw().visualPage = 9;
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_EQ(RK_lastPage(fw().displayDC), 0);
  EXPECT_EQ(fw().activePage, 7);  // one page: nothing to keep track of
  EXPECT_EQ(fw().visualPage, 9);
}

TEST_F(ModeSetTest, WindowedSmallModeIsShownDoubledAndCentred) {
  ASSERT_TRUE(setMode(mode(320, 200), 1, 2, 1));
  EXPECT_EQ(fw().stretch, 2);
  EXPECT_TRUE(RK_isWindowedContext(fw().displayDC));
  EXPECT_EQ(RK_lastColumn(fw().displayDC), 639);
  EXPECT_EQ(RK_lastRow(fw().displayDC), 479);
  EXPECT_EQ(RK_lastColumn(*drawSlot), 319);
  EXPECT_EQ(RK_lastRow(*drawSlot), 239);  // 320x200 is drawn at 320x240 in a window

  const HeadlessWindow *w = headlessWindow(fw().window);
  EXPECT_EQ(w->width, 640 + 16);
  EXPECT_EQ(w->height, 480 + 39);
  EXPECT_EQ(w->x, (1024 - 656) / 2);
  EXPECT_EQ(w->y, (768 - 519) / 2);
  EXPECT_GE(w->showCount, 1);
  EXPECT_EQ(fw().savedWindowX, w->x);
}

TEST_F(ModeSetTest, WindowedFallsBackToUnscaledAndShrinksToTheDesktop) {
  headlessSetDesktopSize(640, 480);
  start(allDrivers());
  ASSERT_TRUE(setMode(mode(320, 240), 1, 2, 1));
  EXPECT_EQ(fw().stretch, 0);
  EXPECT_EQ(fw().displayWidth, 320);
  EXPECT_EQ(fw().displayHeight, 240);

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  EXPECT_EQ(fw().backWidth, 640 - 16);
  EXPECT_EQ(fw().backHeight, 480 - 39);
  EXPECT_EQ(RK_lastColumn(*drawSlot), 623);
  // The saved position is reused, not centred again.
  const HeadlessWindow *w = headlessWindow(fw().window);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->x, fw().savedWindowX);
}

TEST_F(ModeSetTest, FailuresReturnFalseAndKeepTheRequest) {
  VideoMode none = mode(640, 480);
  none.mode = -1;
  EXPECT_FALSE(setMode(none, 0, 2, 1));
  EXPECT_EQ(fw().currentMode.mode, -1);

  headlessFailOutput(true);
  EXPECT_FALSE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_EQ(fw().inModeSet, 1);
  EXPECT_EQ(fw().currentPages, 2);
  // Nothing is left to draw into by mistake.
  EXPECT_EQ(*drawSlot, nullptr);
  EXPECT_NE(RK_lastError(), 0);

  VideoMode bad = mode(640, 480);
  bad.stretch = 3;
  headlessFailOutput(false);
  EXPECT_FALSE(setMode(bad, 0, 2, 1));
  EXPECT_EQ(RK_liveContextCount(), 0);
}

TEST_F(ModeSetTest, ShutdownDestroysTheWindowOnceAndEveryContext) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_GT(RK_liveContextCount(), 0);
  EXPECT_EQ(shutdownFramework(), 0);
  EXPECT_EQ(RK_liveContextCount(), 0);
  EXPECT_EQ(headlessLiveWindowCount(), 0);
  EXPECT_EQ(headlessRecord().windowsDestroyed, 1);
  EXPECT_FALSE(headlessRecord().fullScreen);
  EXPECT_EQ(*drawSlot, nullptr);
  EXPECT_EQ(fw().window, nullptr);

  // The framework starts again from nothing.
  drawSlot = initFramework("Kelvaro");
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_NE(*drawSlot, nullptr);
  EXPECT_EQ(headlessLiveWindowCount(), 1);
}

}  // namespace
