#include <gtest/gtest.h>

#include <deque>

#include "framework/events/events.h"
#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "game/sim/ball.h"

namespace {

// Key presses reach the key table through the same pump as real platform
// messages.
std::deque<PlatformMessage> pending;

bool nextMessage(PlatformMessage *out) {
  if (pending.empty()) return false;
  *out = pending.front();
  pending.pop_front();
  return true;
}
bool noCharacter(PlatformMessage *, bool) { return false; }
uint32_t noModifiers() { return 0; }
const PlatformMessageSource source = {nextMessage, noCharacter, noModifiers};

void setKey(int scan, bool down) {
  PlatformMessage m;
  m.type = down ? PlatformMessageType::KeyDown : PlatformMessageType::KeyUp;
  m.scanCode = scan;
  pending.push_back(m);
  flushEvents(AllEvents);
}

class PollKeysWhilePlaying : public ::testing::Test {
 protected:
  void SetUp() override {
    setPlatformMessageSource(&source);
    initEvents(nullptr);
    resetGameState();
    game.menuMode = 0;
    ball = Ball{};
    ball.jumpFactor = 1.0;
  }
  void TearDown() override {
    initEvents(nullptr);
    setPlatformMessageSource(nullptr);
  }
};

TEST_F(PollKeysWhilePlaying, SpeedStartsAtItsFloorThenGrowsAndShrinks) {
  setKey(ScanUp, true);
  pollKeys();
  EXPECT_EQ(ball.speed, 0.0005);
  pollKeys();
  EXPECT_EQ(ball.speed, 0.0005 * 1.055);
  setKey(ScanUp, false);

  setKey(ScanDown, true);
  ball.speed = 0.0004;
  pollKeys();
  EXPECT_EQ(ball.speed, 0.0);
  ball.speed = 0.001;
  pollKeys();
  EXPECT_EQ(ball.speed, 0.00075);

  setKey(ScanUp, true);
  ball.speed = 0.001;
  pollKeys();
  EXPECT_EQ(ball.speed, 0.001 * 1.055 * 0.75);
}

TEST_F(PollKeysWhilePlaying, HeadingWrapsIntoOneTurn) {
  setKey(ScanLeft, true);
  for (int i = 0; i < 32; ++i) pollKeys();
  EXPECT_NEAR(ball.heading, 0.116814692, 1e-9);
  setKey(ScanLeft, false);

  setKey(ScanRight, true);
  ball.heading = 0.1;
  pollKeys();
  EXPECT_NEAR(ball.heading, 6.183185308, 1e-12);
  setKey(ScanRight, false);

  ball.heading = 6.283185308;
  pollKeys();
  EXPECT_EQ(ball.heading, 6.283185308);
}

TEST_F(PollKeysWhilePlaying, HoldingEnterChargesAndReleasingSetsTheBounce) {
  setKey(ScanEnter, true);
  for (int i = 1; i <= 100; ++i) {
    pollKeys();
    if (i == 69) {
      EXPECT_GT(ball.jumpFactor, 0.3);
    }
    if (i == 70) {
      EXPECT_EQ(ball.jumpFactor, 0.3);
    }
    if (i == 99) {
      EXPECT_LT(ball.jumpCharge, 1.0);
    }
  }
  EXPECT_EQ(ball.jumpCharge, 1.0);
  EXPECT_EQ(ball.jumpHeld, 1);
  setKey(ScanEnter, false);
  pollKeys();
  EXPECT_EQ(ball.jumpFactor, 2.0);
  EXPECT_EQ(ball.jumpHeld, 0);
}

TEST_F(PollKeysWhilePlaying, JumpIndexRestsAtTheLastStep) {
  ball.jumpIndex = 37;
  pollKeys();
  EXPECT_EQ(ball.jumpIndex, 38);
  pollKeys();
  EXPECT_EQ(ball.jumpIndex, 38);
}

TEST_F(PollKeysWhilePlaying, RollFollowsSpeed) {
  ball.speed = 0.002;
  pollKeys();
  EXPECT_EQ(ball.roll, 0.002 * 500.0);
}

TEST_F(PollKeysWhilePlaying, MenuUpAndDownTogetherChoosePlay) {
  game.menuMode = 1;
  setKey(ScanUp, true);
  setKey(ScanDown, true);
  pollKeys();
  EXPECT_EQ(game.menuSelection, 1);
  setKey(ScanUp, false);
  pollKeys();
  EXPECT_EQ(game.menuSelection, 0);
}

int quitStatus = -1;
void recordQuit(int status) { quitStatus = status; }

TEST_F(PollKeysWhilePlaying, MenuQuitItemEndsTheProcessWithZero) {
  game.menuMode = 1;
  setQuitProcessFunc(recordQuit);
  setKey(ScanRight, true);
  pollKeys();
  EXPECT_EQ(quitStatus, 0);
  EXPECT_EQ(game.menuMode, 1);
  setQuitProcessFunc(nullptr);
}

}  // namespace
