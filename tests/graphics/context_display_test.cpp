#include <gtest/gtest.h>

#include <cstring>

#include "graphics/rasterkit.h"
#include "graphics/rk_drivers.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

constexpr int kMode640x480x8 = 19;
constexpr int kMode320x240x8 = 12;

// A started library on the headless back end with the DIB family and the
// memory drivers registered.
struct DisplayContexts : testing::Test {
  void SetUp() override {
    headlessReset();
    useHeadlessPlatform();
    RK_clearDriverRegistry();
    for (const char *name : {"FDIB8.DRV", "FDIB16.DRV", "PACK8.DRV"}) {
      ASSERT_EQ(RK_addDriver(name, RK_builtinDriver(name)), 0) << name;
    }
    int driver = -1, mode = -1;
    ASSERT_EQ(RK_init(&driver, &mode, ""), 1);
    window = headlessCreate();
    RK_recordMainWindow(window);
  }
  void TearDown() override {
    RK_shutdown();
    EXPECT_EQ(RK_liveContextCount(), 0);
    EXPECT_FALSE(headlessRecord().fullScreen);
    RK_setPlatform(nullptr);
  }
  static void *headlessCreate() { return RK_platform()->createWindow("Test", false); }
  void *window = nullptr;
};

using WindowedContexts = DisplayContexts;

}  // namespace

TEST_F(DisplayContexts, OpenGoesFullScreenWithPagesAndClearsToBlack) {
  ASSERT_EQ(RK_chooseMode(kMode640x480x8), 1);
  DeviceContext *dc = RK_openDisplay(2);
  ASSERT_NE(dc, nullptr) << RK_errorText(RK_lastError());
  EXPECT_TRUE(RK_isDisplayContext(dc));
  EXPECT_EQ(RK_currentContext(), dc);
  EXPECT_EQ(RK_lastColumn(dc), 639);
  EXPECT_EQ(RK_lastRow(dc), 479);
  EXPECT_EQ(RK_lastPage(dc), 1);
  EXPECT_NE(RK_contextFlags(dc), 0) << "the hidden page may be drawn into";
  EXPECT_EQ(dc->bytesPerLine, 640);
  EXPECT_TRUE(headlessRecord().fullScreen);
  EXPECT_EQ(headlessRecord().fullScreenWidth, 640);
  EXPECT_EQ(headlessRecord().fullScreenBits, 8);

  // Asking for more pages than the mode has gives what it has.
  RK_closeContext(dc);
  EXPECT_FALSE(headlessRecord().fullScreen) << "the last display context leaves full screen";
  dc = RK_openDisplay(5);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(RK_lastPage(dc), 1);
}

TEST_F(DisplayContexts, PagesAreSeparateAndShowingPresentsWithTheRealisedPalette) {
  ASSERT_EQ(RK_chooseMode(kMode320x240x8), 1);
  DeviceContext *dc = RK_openDisplay(2);
  ASSERT_NE(dc, nullptr);
  const int presentsBefore = headlessRecord().presentCount;

  RK_drawToPage(dc, 1);
  EXPECT_EQ(RK_drawnPage(dc), 1);
  DeviceContext *m = RK_currentMirror();
  m->attributes.backColor = 5;
  RK_clearCurrent();  // page 1 only
  RK_storePaletteEntry(dc, 5, 10, 20, 30);
  RK_realizePaletteRange(dc, 1, 5, 0);
  RK_storePaletteEntry(dc, 5, 99, 99, 99);  // not realised: not shown

  RK_showPage(dc, 1, 1);
  EXPECT_EQ(RK_shownPage(dc), 1);
  const HeadlessRecord &r = headlessRecord();
  ASSERT_EQ(r.presentCount, presentsBefore + 1);
  EXPECT_EQ(r.lastPresent.width, 320);
  EXPECT_EQ(r.lastPresent.height, 240);
  EXPECT_EQ(r.lastPresent.bits, 8);
  EXPECT_EQ(r.lastPresent.waitVRT, 1);
  EXPECT_EQ(r.lastPresent.pixels[0], 5);
  EXPECT_EQ(r.lastPresent.pixels[320 * 240 - 1], 5);
  EXPECT_EQ(r.lastPresent.palette[5].red, 10);
  EXPECT_EQ(r.lastPresent.palette[5].blue, 30);
  EXPECT_EQ(r.lastRealize.entries[5].green, 20);

  RK_showPage(dc, 0, 0);
  EXPECT_EQ(headlessRecord().lastPresent.pixels[0], 0) << "page 0 was never drawn";
  // Pages that do not exist change nothing.
  RK_drawToPage(dc, 2);
  RK_showPage(dc, -1, 0);
  EXPECT_EQ(RK_drawnPage(dc), 1);
  EXPECT_EQ(RK_shownPage(dc), 0);
  EXPECT_EQ(headlessRecord().presentCount, presentsBefore + 2);
}

TEST_F(DisplayContexts, FlipAlternatesBothPages) {
  ASSERT_EQ(RK_chooseMode(kMode640x480x8), 1);
  DeviceContext *dc = RK_openDisplay(2);
  ASSERT_NE(dc, nullptr);
  RK_flipPages(dc, 0);
  EXPECT_EQ(RK_drawnPage(dc), 1);
  EXPECT_EQ(RK_shownPage(dc), 1);
  const uint8_t *page1 = RK_currentMirror()->surface;
  RK_flipPages(dc, 0);
  EXPECT_EQ(RK_drawnPage(dc), 0);
  EXPECT_EQ(RK_shownPage(dc), 0);
  EXPECT_EQ(RK_currentMirror()->surface, page1 - 640 * 480);
  // After another context becomes current the record carries the page.
  DeviceContext *mem = RK_openMemoryContext(4, 4, 8, nullptr);
  RK_drawToPage(dc, 1);
  RK_selectContext(mem);
  EXPECT_EQ(dc->surface, page1);
  EXPECT_EQ(RK_drawnPage(dc), 1);
  // Page operations on other kinds do nothing.
  RK_drawToPage(mem, 1);
  EXPECT_EQ(RK_drawnPage(mem), 0);
  EXPECT_EQ(RK_shownPage(mem), 0);
}

TEST_F(DisplayContexts, DirectColourModeAndSecondContextSharingThePages) {
  headlessSetModes({{RK_FamilyDIB, 640, 480, 16, 1}});
  int driver = -1, mode = -1;
  RK_detectHardware(&driver, &mode);
  ASSERT_EQ(RK_chooseMode(49), 1) << "640x480x16";
  DeviceContext *dc = RK_openDisplay(2);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(RK_lastPage(dc), 0);
  EXPECT_EQ(RK_contextFlags(dc), 0);
  EXPECT_EQ(dc->bytesPerLine, 1280);
  EXPECT_EQ(dc->greenSize, 6);
  DeviceContext *second = RK_openDisplay(1);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->palette, dc->palette);
  EXPECT_EQ(RK_currentContext(), dc);
  RK_closeContext(dc);
  EXPECT_TRUE(headlessRecord().fullScreen) << "one display context is still open";
  // The shared pages are still there for the second one.
  std::memset(second->surface, 0x7F, 1280 * 480);
  RK_closeContext(second);
  EXPECT_FALSE(headlessRecord().fullScreen);
}

TEST_F(DisplayContexts, FailuresFreeEverything) {
  ASSERT_EQ(RK_chooseMode(kMode640x480x8), 1);
  headlessFailOutput(true);
  EXPECT_EQ(RK_openDisplay(2), nullptr);
  EXPECT_EQ(RK_lastError(), -11);
  EXPECT_EQ(RK_liveContextCount(), 0);
  EXPECT_FALSE(headlessRecord().fullScreen);
  // The back end stops offering the mode after detection.
  headlessFailOutput(false);
  headlessRemoveMode(640, 480, 8);
  EXPECT_EQ(RK_openDisplay(2), nullptr);
  EXPECT_EQ(RK_lastError(), -11);
  EXPECT_EQ(RK_liveContextCount(), 0);
  // The chosen mode's driver is gone from a new detection.
  RK_clearDriverRegistry();
  int driver = -1, mode = -1;
  RK_detectHardware(&driver, &mode);
  EXPECT_EQ(RK_openDisplay(2), nullptr);
  EXPECT_EQ(RK_lastError(), -3);
  EXPECT_EQ(RK_liveContextCount(), 0);
}

TEST_F(DisplayContexts, AThousandModeSwitchesLeakNothing) {
  DeviceContext *back = nullptr;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(RK_chooseMode(i % 2 ? kMode640x480x8 : kMode320x240x8), 1);
    EXPECT_EQ(RK_liveContextCount(), back ? 1 : 0);
    RK_closeContext(back);
    DeviceContext *dc = RK_openDisplay(2);
    ASSERT_NE(dc, nullptr);
    back = RK_openMemoryContext(RK_lastColumn(dc) + 1, RK_lastRow(dc) + 1, 8, nullptr);
    ASSERT_NE(back, nullptr);
    RK_selectContext(back);
    EXPECT_EQ(RK_liveContextCount(), 2);
  }
  ASSERT_EQ(RK_chooseMode(RK_ModeDesktop), 1);
  EXPECT_FALSE(headlessRecord().fullScreen);
}

TEST_F(WindowedContexts, TakeTheClientAreaAndPresentToTheirWindow) {
  RK_platform()->placeWindow(window, 10, 10, 640 + 16, 480 + 39);
  ASSERT_EQ(RK_chooseMode(kMode640x480x8), 1);
  ASSERT_NE(RK_openDisplay(2), nullptr);
  ASSERT_EQ(RK_chooseMode(RK_ModeDesktop), 1);
  DeviceContext *dc = RK_openWindowContext(window);
  ASSERT_NE(dc, nullptr) << RK_errorText(RK_lastError());
  EXPECT_FALSE(headlessRecord().fullScreen);
  EXPECT_TRUE(RK_isWindowedContext(dc));
  EXPECT_FALSE(RK_isDisplayContext(dc));
  EXPECT_EQ(RK_lastColumn(dc), 639);
  EXPECT_EQ(RK_lastRow(dc), 479);
  EXPECT_EQ(RK_lastPage(dc), 0);
  EXPECT_EQ(RK_pixelDepth(dc), 8);
  EXPECT_EQ(headlessRecord().windowedWidth, 640);

  dc->surface[0] = 3;
  RK_storePaletteEntry(dc, 3, 1, 2, 3);
  RK_notifyActivation(dc, 1);  // takes its palette again
  EXPECT_EQ(headlessRecord().lastRealize.entries[3].red, 1);
  RK_storePaletteEntry(dc, 3, 4, 5, 6);
  RK_storePaletteEntry(dc, 4, 4, 5, 6);
  EXPECT_EQ(RK_realizeWindowPalette(dc, 0), 2);
  EXPECT_EQ(RK_realizeWindowPalette(dc, 0), 0) << "nothing changed since";

  const int before = headlessRecord().presentCount;
  RK_showPage(dc, 0, 0);
  ASSERT_EQ(headlessRecord().presentCount, before + 1);
  EXPECT_EQ(headlessRecord().lastPresent.window, window);
  EXPECT_EQ(headlessRecord().lastPresent.pixels[0], 3);
  EXPECT_EQ(headlessRecord().lastPresent.palette[3].green, 5);
  EXPECT_EQ(RK_drawnPage(dc), 0);
  RK_drawToPage(dc, 0);

  // The library's shut-down leaves the window to its owner.
  RK_shutdown();
  EXPECT_NE(headlessWindow(window), nullptr);
  RK_platform()->destroyWindow(window);
}

TEST_F(WindowedContexts, NoWindowNoContext) {
  EXPECT_EQ(RK_openWindowContext(nullptr), nullptr);
  EXPECT_EQ(RK_lastError(), -10);
  EXPECT_EQ(RK_liveContextCount(), 0);
  EXPECT_EQ(RK_realizeWindowPalette(nullptr, 0), 0);
}
