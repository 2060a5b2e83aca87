#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/events/events.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

struct Headless : testing::Test {
  void SetUp() override {
    headlessReset();
    useHeadlessPlatform();
    p = RK_platform();
  }
  void TearDown() override {
    RK_shutdown();
    headlessReset();
    RK_setPlatform(nullptr);
  }
  const RK_Platform *p = nullptr;
};

}  // namespace

TEST_F(Headless, ServesTheConfiguredModesOnlyWithADisplay) {
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->name, "headless");
  int pages = 0;
  for (int family : {RK_FamilyDIB, RK_FamilyDirectDraw}) {
    for (auto [w, h] : {std::pair{320, 200}, std::pair{320, 240}, std::pair{640, 400}, std::pair{640, 480}}) {
      pages = 0;
      EXPECT_TRUE(p->servesMode(family, w, h, 8, &pages)) << family << " " << w << "x" << h;
      EXPECT_EQ(pages, 2);
    }
  }
  EXPECT_FALSE(p->servesMode(RK_FamilyDIB, 640, 480, 16, &pages));
  EXPECT_FALSE(p->servesMode(4, 640, 480, 8, &pages));

  headlessRemoveMode(320, 240, 8);
  EXPECT_FALSE(p->servesMode(RK_FamilyDirectDraw, 320, 240, 8, &pages));
  EXPECT_TRUE(p->servesMode(RK_FamilyDirectDraw, 640, 480, 8, &pages));
  headlessSetModes({{RK_FamilyDIB, 800, 600, 32, 1}});
  EXPECT_TRUE(p->servesMode(RK_FamilyDIB, 800, 600, 32, &pages));
  EXPECT_EQ(pages, 1);

  headlessSetDisplay(false);
  EXPECT_FALSE(p->hasDisplay());
  EXPECT_FALSE(p->servesMode(RK_FamilyDIB, 800, 600, 32, &pages));
  EXPECT_FALSE(p->enterFullScreen(nullptr, 800, 600, 32));
  int w = 0, h = 0;
  headlessSetDesktopSize(800, 600);
  p->desktopSize(&w, &h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

TEST_F(Headless, WindowsKeepTheirPlaceAndSurviveADoubleDestroy) {
  void *window = p->createWindow("Kelvaro", true);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(headlessWindow(window)->title, "Kelvaro");
  EXPECT_TRUE(headlessWindow(window)->maximizeBox);
  p->placeWindow(window, 100, 50, 656, 519);
  int x = 0, y = 0, fw = 0, fh = 0, cw = 0, ch = 0;
  p->windowPosition(window, &x, &y);
  p->frameExtra(window, &fw, &fh);
  p->clientSize(window, &cw, &ch);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(cw, 656 - fw);
  EXPECT_EQ(ch, 519 - fh);
  p->showWindow(window);
  EXPECT_EQ(headlessWindow(window)->showCount, 1);
  p->destroyWindow(window);
  p->destroyWindow(window);
  EXPECT_EQ(headlessRecord().windowsDestroyed, 1);
  EXPECT_EQ(headlessWindow(window), nullptr);
  p->windowPosition(window, &x, &y);  // a stale handle is answered, not followed
  EXPECT_EQ(x, 0);
}

TEST_F(Headless, InjectedKeysReachTheEventQueueInOrder) {
  void *window = p->createWindow("Kelvaro", false);
  initEvents(window);
  headlessSetClockStep(0);
  headlessSetClock(5000);
  headlessPressKey(28, 13);
  headlessPressKey(28, 13, true);
  headlessReleaseKey(28);
  headlessPressKey(42);  // Shift
  EXPECT_EQ(p->messages.keyState() & PlatformKeyShift, PlatformKeyShift);
  const auto pending = headlessPendingMessageList();
  ASSERT_EQ(pending.size(), 6u);
  EXPECT_EQ(pending[0].type, PlatformMessageType::KeyDown);
  EXPECT_EQ(pending[0].window, window);
  EXPECT_GE(pending[0].time, 5000u);
  EXPECT_EQ(pending[1].type, PlatformMessageType::Char);
  EXPECT_EQ(pending[1].character, 13);
  EXPECT_EQ(pending[2].previouslyDown, 1);
  EXPECT_EQ(pending[4].type, PlatformMessageType::KeyUp);

  PlatformMessage m;
  EXPECT_FALSE(p->messages.takeCharacter(&m, false)) << "a KeyDown is at the front";
  ASSERT_TRUE(p->messages.next(&m));
  EXPECT_TRUE(p->messages.takeCharacter(&m, false));
  EXPECT_EQ(m.character, 13);
  EXPECT_EQ(headlessPendingMessages(), 4);
  p->postMessage(PlatformMessage{PlatformMessageType::Command});
  EXPECT_EQ(headlessPendingMessageList().back().type, PlatformMessageType::Command);

  // Through the pump: the Enter key is held after its KeyDown.
  flushEvents(AllEvents);
  headlessPressKey(72, 0);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_TRUE(isKeyDown(72));
  headlessReleaseKey(42);
  EXPECT_EQ(p->messages.keyState() & PlatformKeyShift, 0u);
}

TEST_F(Headless, AltKeysGiveSystemCharacters) {
  headlessPressKey(28, 13, false, true);
  PlatformMessage m;
  ASSERT_TRUE(p->messages.next(&m));
  EXPECT_EQ(m.type, PlatformMessageType::SysKeyDown);
  EXPECT_EQ(m.altContext, 1);
  EXPECT_FALSE(p->messages.takeCharacter(&m, false)) << "a SysChar is not a Char";
  EXPECT_TRUE(p->messages.takeCharacter(&m, true));
  EXPECT_EQ(m.character, 13);
}

TEST_F(Headless, SteppedClockAndSleep) {
  headlessSetClockStep(20);
  headlessSetClock(100);
  EXPECT_EQ(p->ticks(), 120u);
  EXPECT_EQ(p->ticks(), 140u);
  p->sleep(200);
  EXPECT_EQ(p->ticks(), 360u);
  // The finer clock is the same clock, stepped alike.
  EXPECT_EQ(p->microseconds(), 380000u);
  EXPECT_EQ(RK_microseconds(), 400000u);
  EXPECT_EQ(p->ticks(), 420u);
  headlessSetClockStep(0);
  const uint32_t a = p->ticks();
  p->sleep(1000);  // returns at once
  EXPECT_LT(p->ticks() - a, 1000u);
}

TEST_F(Headless, ABackEndWithoutAFinerClockCountsWholeMilliseconds) {
  RK_Platform coarse = *p;
  coarse.microseconds = nullptr;
  RK_setPlatform(&coarse);
  headlessSetClockStep(3);
  headlessSetClock(10);
  EXPECT_EQ(RK_microseconds(), 13000u);
  RK_setPlatform(nullptr);
  EXPECT_EQ(RK_microseconds(), 0u);
  RK_setPlatform(p);
  headlessSetClockStep(0);
}

TEST_F(Headless, MessageBoxesAreRecordedAnsweredAndEchoed) {
  headlessSetMessageBoxAnswer(RK_AnswerNo);
  testing::internal::CaptureStderr();
  EXPECT_EQ(RK_showMessageBox("Frage", "Are you sure you want to quit?", RK_BoxYesNoQuestion), RK_AnswerNo);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Frage: Are you sure you want to quit?\n");
  ASSERT_EQ(headlessRecord().messageBoxes.size(), 1u);
  EXPECT_EQ(headlessRecord().messageBoxes[0].caption, "Frage");
  EXPECT_EQ(headlessRecord().messageBoxes[0].kind, RK_BoxYesNoQuestion);

  // Without a display only the echo carries it, and nobody says no.
  headlessSetDisplay(false);
  testing::internal::CaptureStderr();
  EXPECT_EQ(RK_showMessageBox("Wichtige Mitteilung (Kelvaro)", "Sie haben gewonnen", RK_BoxOkInfo),
            RK_AnswerOk);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Wichtige Mitteilung (Kelvaro): Sie haben gewonnen\n");
  EXPECT_EQ(headlessRecord().messageBoxes.size(), 1u);
}

TEST(HeadlessDeathTest, FatalReportShowsTheWarningBox) {
  EXPECT_EXIT(
      {
        headlessReset();
        useHeadlessPlatform();
        headlessSetMessageBoxAnswer(RK_AnswerOk);
        RK_reportFatal("Unable to register Window Class!");
      },
      testing::ExitedWithCode(1), "^RK Fatal Error!: Unable to register Window Class!\n$");
}
