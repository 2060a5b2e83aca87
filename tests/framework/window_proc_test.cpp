#include "framework_fixture.h"

namespace {

int switches = 0;
int lastWindowed = -1;
int lastSwitchWidth = 0;
int onSwitch(const VideoMode &m, int windowed) {
  ++switches;
  lastWindowed = windowed;
  lastSwitchWidth = m.width;
  return 0;
}

int lastActive = -1;
void onActivate(int active) {
  lastActive = active;
}

class WindowProcTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    switches = 0;
    lastWindowed = lastActive = -1;
  }
  void altEnter() {
    headlessPressKey(28, 13, false, true);
    headlessReleaseKey(28, true);
    pumpEvents();
  }
  void role(PlatformMessageType type) {
    headlessWindowRole(type);
    pumpEvents();
  }
};

TEST_F(WindowProcTest, AltEnterAndMaximiseToggleOutputAndTellTheApplication) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(320, 240), 0, 2, 1));
  EXPECT_TRUE(headlessWindow(fw().window)->maximizeBox);

  PaletteEntry colours[256] = {};
  colours[200] = PaletteEntry{10, 20, 30, 0};
  setFrameworkPalette(colours, 256, 0);
  realizeFrameworkPalette(256, 0, 0);

  altEnter();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_EQ(lastSwitchWidth, 320);
  // The colours survive the switch, in the new contexts and on the screen.
  EXPECT_EQ(RK_resolveContext(*drawSlot)->palette[200].red, 30);
  EXPECT_EQ(RK_resolveContext(fw().displayDC)->palette[200].green, 20);
  EXPECT_EQ(headlessRecord().lastRealize.entries[200].blue, 10);
  EXPECT_FALSE(headlessRecord().fullScreen);
  EXPECT_TRUE(RK_isWindowedContext(fw().displayDC));
  EXPECT_EQ(fw().displayWidth, 640);  // the same drawing size, doubled in the window
  EXPECT_EQ(RK_lastColumn(*drawSlot), 319);

  altEnter();
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_TRUE(headlessRecord().fullScreen);
  EXPECT_EQ(RK_lastPage(fw().displayDC), 1);  // the pages and back buffer asked for at first
  EXPECT_TRUE(RK_isMemoryContext(*drawSlot));

  role(PlatformMessageType::SysCommandMaximize);
  EXPECT_EQ(switches, 3);
  EXPECT_EQ(fw().fullScreen, 0);
}

// Alt+Enter and its auto-repeat queued together: the second command is
// pumped while the first switch sets up the full-screen display.
TEST_F(WindowProcTest, ASwitchRequestedDuringASwitchIsDropped) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  const int fullScreenContexts = RK_liveContextCount();
  altEnter();
  ASSERT_EQ(lastWindowed, 1);

  switches = 0;
  headlessPressKey(28, 13, false, true);
  headlessPressKey(28, 13, true, true);
  headlessReleaseKey(28, true);
  pumpEvents();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_EQ(fw().fullScreen, 1);
  EXPECT_TRUE(headlessRecord().fullScreen);
  EXPECT_TRUE(RK_isDisplayContext(fw().displayDC));
  EXPECT_EQ(RK_liveContextCount(), fullScreenContexts);
  EXPECT_EQ(headlessPendingMessages(), 0);

  // Nothing is left half-done: the next Alt+Enter switches as usual.
  altEnter();
  EXPECT_EQ(switches, 2);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_TRUE(RK_isWindowedContext(fw().displayDC));
  EXPECT_FALSE(headlessRecord().fullScreen);
}

TEST_F(WindowProcTest, NoSwitchWithoutCallbackPlainEnterOrOtherAltKeys) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  DeviceContext *before = fw().displayDC;
  EXPECT_FALSE(headlessWindow(fw().window)->maximizeBox);
  altEnter();
  role(PlatformMessageType::SysCommandMaximize);
  setModeSwitchFunc(onSwitch);
  headlessPressKey(28, 13);
  headlessPressKey(30, 'a', false, true);
  pumpEvents();
  EXPECT_EQ(switches, 0);
  EXPECT_EQ(fw().displayDC, before);
  EXPECT_EQ(headlessRecord().enterWindowedCount, 0);
}

TEST_F(WindowProcTest, CloseAsksInAWindowAndIsIgnoredFullScreen) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  role(PlatformMessageType::CloseRequest);
  EXPECT_TRUE(headlessRecord().messageBoxes.empty());

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  headlessSetMessageBoxAnswer(RK_AnswerNo);
  role(PlatformMessageType::CloseRequest);
  ASSERT_EQ(headlessRecord().messageBoxes.size(), 1u);
  const HeadlessMessageBox &box = headlessRecord().messageBoxes[0];
  EXPECT_EQ(box.caption, "Confirm Exit");
  EXPECT_EQ(box.text, "Are you sure you want to quit?");
  EXPECT_EQ(box.kind, RK_BoxYesNoQuestion);
  EXPECT_EQ(fw().quit, 0);

  headlessSetMessageBoxAnswer(RK_AnswerYes);
  role(PlatformMessageType::CloseRequest);
  EXPECT_EQ(fw().quit, 1);
  EXPECT_EQ(headlessLiveWindowCount(), 0);
  swapBuffers(2);  // the rest of the pass still draws, into a window that is gone
  EXPECT_EQ(shutdownFramework(), 0);
  EXPECT_EQ(headlessRecord().windowsDestroyed, 1);
}

TEST_F(WindowProcTest, DisplayChangeActivationAndPaletteNoticesOnlyInAWindow) {
  setModeSwitchFunc(onSwitch);
  setActivateFunc(onActivate);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  role(PlatformMessageType::DisplaySettingsChanged);
  headlessActivate(false);
  pumpEvents();
  EXPECT_EQ(switches, 0);
  EXPECT_EQ(lastActive, -1);
  EXPECT_EQ(fw().activeState, 0);

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  headlessSetDesktopSize(800, 600);
  role(PlatformMessageType::DisplaySettingsChanged);
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_EQ(fw().screenWidth, 800);  // the new desktop counts
  headlessActivate(true);
  pumpEvents();
  EXPECT_EQ(lastActive, 1);

  PlatformMessage notice;
  notice.type = PlatformMessageType::PaletteQuery;
  EXPECT_EQ(frameworkWindowProc(notice), 0);  // nothing changed
  RK_storePaletteEntry(fw().displayDC, 3, 200, 100, 50);
  notice.type = PlatformMessageType::PaletteChanged;
  notice.otherWindow = fw().window;  // our own change
  EXPECT_EQ(frameworkWindowProc(notice), 0);
  notice.otherWindow = nullptr;
  EXPECT_EQ(frameworkWindowProc(notice), 1);
  EXPECT_EQ(headlessRecord().lastRealize.entries[3].red, 200);
}

TEST_F(WindowProcTest, ThousandSwitchesLeakNothing) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  const int contexts = RK_liveContextCount();
  for (int i = 0; i < 1000; ++i) altEnter();
  EXPECT_EQ(switches, 1000);
  EXPECT_EQ(fw().fullScreen, 1);
  EXPECT_EQ(RK_liveContextCount(), contexts);
  EXPECT_EQ(headlessLiveWindowCount(), 1);
  headlessPressKey(72);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_TRUE(isKeyDown(72));
}

using WindowProcDeathTest = WindowProcTest;

TEST_F(WindowProcDeathTest, FailedSwitchIsFatal) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_EXIT(
      {
        headlessFailOutput(true);
        altEnter();
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "RK Fatal Error!");
}

}  // namespace
