// Alt+Enter while playing: the keys held through a switch back to full
// screen (Alt, Enter, an arrow) do not count as held on the new display, so
// the jump is not charged by the Enter of the Alt+Enter. A switch into a
// window leaves the key table alone.
#include <gtest/gtest.h>

#include "framework/events/events.h"
#include "framework/framework.h"
#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "game/sim/ball.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

int lastWindowed = -1;
int noteSwitch(const VideoMode &, int windowed) {
  lastWindowed = windowed;
  return 0;
}

class KeysAcrossModeSwitches : public ::testing::Test {
 protected:
  void SetUp() override {
    headlessReset();
    useHeadlessPlatform();
    initFramework("Kelvaro");
    setModeSwitchFunc(noteSwitch);
    VideoMode mode{};
    ASSERT_TRUE(findMode(&mode, 640, 480, 8));
    ASSERT_TRUE(setMode(mode, 0, 2, 1));
    resetGameState();
    game.menuMode = 0;
    ball = Ball{};
    ball.jumpFactor = 1.0;
    lastWindowed = -1;
  }
  void TearDown() override {
    shutdownFramework();
    setModeSwitchFunc(nullptr);
    setPlatformMessageHandler(nullptr);
    RK_setPlatform(nullptr);
  }
  // Alt+Enter pressed and still held.
  static void holdAltEnter() {
    headlessPressKey(ScanEnter, 13, false, true);
    flushEvents(AllEvents);
  }
};

TEST_F(KeysAcrossModeSwitches, KeysHeldThroughASwitchToFullScreenAreNotHeld) {
  headlessPressKey(ScanUp);
  holdAltEnter();
  ASSERT_EQ(lastWindowed, 1);
  EXPECT_TRUE(isKeyDown(ScanEnter));
  EXPECT_TRUE(isKeyDown(ScanUp));

  headlessReleaseKey(ScanEnter, true);
  holdAltEnter();
  ASSERT_EQ(lastWindowed, 0);
  EXPECT_FALSE(isKeyDown(ScanEnter));
  EXPECT_FALSE(isKeyDown(ScanUp));

  const Ball before = ball;
  pollKeys();
  EXPECT_EQ(ball.jumpFactor, before.jumpFactor);
  EXPECT_EQ(ball.jumpCharge, before.jumpCharge);
  EXPECT_EQ(ball.jumpHeld, before.jumpHeld);
  EXPECT_EQ(ball.speed, before.speed);

  // Released and pressed again, Enter charges the jump as always.
  headlessReleaseKey(ScanEnter, true);
  headlessPressKey(ScanEnter, 13);
  flushEvents(AllEvents);
  pollKeys();
  EXPECT_EQ(ball.jumpHeld, 1);
  EXPECT_LT(ball.jumpFactor, before.jumpFactor);
}

}  // namespace
