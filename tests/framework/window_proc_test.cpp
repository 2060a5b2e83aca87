#include <string>

#include "framework_fixture.h"
#include "graphics/rk_platform.h"

namespace {

int switches = 0;
int lastWindowed = -1;
VideoMode lastMode{};
int onSwitch(const VideoMode &m, int windowed) {
  ++switches;
  lastWindowed = windowed;
  lastMode = m;
  return 0;
}

int activations = 0;
int lastActive = -1;
void onActivate(int active) {
  ++activations;
  lastActive = active;
}

class WindowProcTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    switches = 0;
    lastWindowed = -1;
    activations = 0;
    lastActive = -1;
  }
  void altEnter() {
    headlessPressKey(28, 13, false, true);
    headlessReleaseKey(28, true);
    pumpEvents();
  }
};

TEST_F(WindowProcTest, AltEnterTogglesOutputAndTellsTheApplication) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(320, 240), 0, 2, 1));
  EXPECT_TRUE(headlessWindow(fw().window)->maximizeBox);

  altEnter();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_EQ(lastMode.width, 320);
  EXPECT_EQ(fw().fullScreen, 0);
  EXPECT_FALSE(headlessRecord().fullScreen);
  EXPECT_TRUE(RK_isWindowedContext(fw().displayDC));
  EXPECT_EQ(fw().displayWidth, 640);  // the same drawing size, doubled in the window
  EXPECT_EQ(RK_lastColumn(*drawSlot), 319);

  altEnter();
  EXPECT_EQ(switches, 2);
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_EQ(fw().fullScreen, 1);
  EXPECT_TRUE(headlessRecord().fullScreen);
  EXPECT_EQ(RK_lastPage(fw().displayDC), 1);
  EXPECT_EQ(fw().currentPages, 2);
  EXPECT_EQ(fw().currentForceBackBuffer, 1);

  // The maximise control asks for the same switch.
  headlessWindowRole(PlatformMessageType::SysCommandMaximize);
  pumpEvents();
  EXPECT_EQ(switches, 3);
  EXPECT_EQ(fw().fullScreen, 0);
}

TEST_F(WindowProcTest, WithoutModeSwitchCallbackAltEnterAndMaximiseDoNothing) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  DeviceContext *before = fw().displayDC;
  altEnter();
  headlessWindowRole(PlatformMessageType::SysCommandMaximize);
  pumpEvents();
  EXPECT_EQ(fw().fullScreen, 1);
  EXPECT_EQ(fw().displayDC, before);
  EXPECT_EQ(headlessRecord().enterWindowedCount, 0);
}

TEST_F(WindowProcTest, PlainEnterAndOtherAltKeysDoNotSwitch) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  headlessPressKey(28, 13);
  headlessPressKey(30, 'a', false, true);
  pumpEvents();
  EXPECT_EQ(switches, 0);
  EXPECT_EQ(fw().fullScreen, 1);
}

TEST_F(WindowProcTest, CloseAsksInAWindowAndIsIgnoredFullScreen) {
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  headlessWindowRole(PlatformMessageType::CloseRequest);
  pumpEvents();
  EXPECT_TRUE(headlessRecord().messageBoxes.empty());
  EXPECT_EQ(fw().quit, 0);

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  headlessSetMessageBoxAnswer(RK_AnswerNo);
  headlessWindowRole(PlatformMessageType::CloseRequest);
  pumpEvents();
  ASSERT_EQ(headlessRecord().messageBoxes.size(), 1u);
  const HeadlessMessageBox &box = headlessRecord().messageBoxes[0];
  EXPECT_EQ(box.caption, "Confirm Exit");
  EXPECT_EQ(box.text, "Are you sure you want to quit?");
  EXPECT_EQ(box.kind, RK_BoxYesNoQuestion);
  EXPECT_EQ(fw().quit, 0);
  EXPECT_EQ(headlessLiveWindowCount(), 1);

  headlessSetMessageBoxAnswer(RK_AnswerYes);
  headlessWindowRole(PlatformMessageType::CloseRequest);
  pumpEvents();
  EXPECT_EQ(fw().quit, 1);
  EXPECT_EQ(headlessLiveWindowCount(), 0);
  // The rest of the pass may still draw and swap without a window.
  swapBuffers(2);
  EXPECT_EQ(shutdownFramework(), 0);
  EXPECT_EQ(headlessRecord().windowsDestroyed, 1);
}

TEST_F(WindowProcTest, DisplayChangeWhileWindowedSetsTheWindowAgain) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  headlessWindowRole(PlatformMessageType::DisplaySettingsChanged);
  pumpEvents();
  EXPECT_EQ(switches, 0);

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  const int windowed = headlessRecord().enterWindowedCount;
  headlessSetDesktopSize(800, 600);
  headlessWindowRole(PlatformMessageType::DisplaySettingsChanged);
  pumpEvents();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_EQ(headlessRecord().enterWindowedCount, windowed + 1);
  EXPECT_EQ(fw().screenWidth, 800);
}

TEST_F(WindowProcTest, ActivationReachesTheApplicationOnlyInAWindow) {
  setActivateFunc(onActivate);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  headlessActivate(false);
  pumpEvents();
  EXPECT_EQ(activations, 0);
  EXPECT_EQ(fw().activeState, 0);

  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  headlessActivate(true, false);
  pumpEvents();
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(lastActive, 1);
}

TEST_F(WindowProcTest, PaletteNoticesRealiseOnlyWhenSomethingChanged) {
  ASSERT_TRUE(setMode(mode(640, 480), 1, 2, 1));
  PlatformMessage query;
  query.type = PlatformMessageType::PaletteQuery;
  EXPECT_EQ(frameworkWindowProc(query), 0);
  RK_storePaletteEntry(fw().displayDC, 3, 200, 100, 50);
  EXPECT_EQ(frameworkWindowProc(query), 1);
  EXPECT_EQ(headlessRecord().lastRealize.entries[3].red, 200);

  PlatformMessage changed;
  changed.type = PlatformMessageType::PaletteChanged;
  changed.otherWindow = fw().window;
  RK_storePaletteEntry(fw().displayDC, 4, 1, 1, 1);
  EXPECT_EQ(frameworkWindowProc(changed), 0);  // our own change
}

TEST_F(WindowProcTest, ThousandSwitchesLeakNothing) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  const int contexts = RK_liveContextCount();
  for (int i = 0; i < 1000; ++i) {
    headlessPressKey(28, 13, false, true);
    pumpEvents();
  }
  EXPECT_EQ(switches, 1000);
  EXPECT_EQ(fw().fullScreen, 1);
  EXPECT_EQ(RK_liveContextCount(), contexts);
  EXPECT_EQ(headlessLiveWindowCount(), 1);
  // Input still arrives.
  headlessPressKey(72);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyDown);
  EXPECT_TRUE(isKeyDown(72));
}

using WindowProcDeathTest = WindowProcTest;

TEST_F(WindowProcDeathTest, FailedSwitchIsFatal) {
  setModeSwitchFunc(onSwitch);
  ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  EXPECT_EXIT(
      {
        headlessFailOutput(true);
        headlessPressKey(28, 13, false, true);
        pumpEvents();
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "RK Fatal Error!");
}

}  // namespace
