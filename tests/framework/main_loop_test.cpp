#include <string>

#include "framework_fixture.h"

namespace {

std::string trace;
int passes = 0;
int quitAfter = 1;

void traceKeyDown(const Event &e) {
  trace += "K" + std::to_string((e.message >> 8) & 0xFF) + " ";
  if (((e.message >> 8) & 0xFF) == 1) quitMainLoop();
}
void traceKeyUp(const Event &) {
  trace += "U ";
}
void traceMouse(const Event &e) {
  trace += "M" + std::to_string(e.whereX) + "," + std::to_string(e.whereY) + " ";
}
void traceGame() {
  trace += "G ";
  if (++passes >= quitAfter) quitMainLoop();
}
void traceDraw() {
  trace += "D ";
}
void otherDraw() {
  trace += "d ";
}

class MainLoopTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    trace.clear();
    passes = 0;
    quitAfter = 1000;
    ASSERT_TRUE(setMode(mode(640, 480), 0, 2, 1));
  }
};

TEST_F(MainLoopTest, EventsThenGameThenDrawAndQuitEndsThePass) {
  setKeyDownFunc(traceKeyDown);
  setKeyUpFunc(traceKeyUp);
  setMouseDownFunc(traceMouse);
  setGameFunc(traceGame);
  setDrawFunc(otherDraw);
  setDrawFunc(traceDraw);  // the second setting counts
  headlessPressKey(72);
  headlessReleaseKey(72);
  headlessMouse(PlatformMessageType::LeftButtonDown, 5, 6);
  headlessMouse(PlatformMessageType::MouseMove, 7, 8);  // fetched and dropped
  headlessPressKey(72, 0, true);                        // a repeat: dropped
  headlessPressKey(1, 27);                              // Escape quits in the key-down
  headlessPressKey(80);                                 // same pass: still dispatched
  EXPECT_EQ(runMainLoop(), 0);
  EXPECT_EQ(trace, "K72 U M5,6 K1 K80 G D ");
  // The loop shut the framework down.
  EXPECT_EQ(fw().window, nullptr);
  EXPECT_EQ(RK_liveContextCount(), 0);
}

TEST_F(MainLoopTest, EmptySlotsAreSkipped) {
  setGameFunc(traceGame);
  quitAfter = 3;
  headlessPressKey(72);
  headlessMouse(PlatformMessageType::RightButtonDown, 1, 1);
  EXPECT_EQ(runMainLoop(), 0);
  EXPECT_EQ(trace, "G G G ");
}

int suspendReason = 0;
int answerSuspend(DeviceContext *, int reason) {
  suspendReason = reason;
  return 2;
}

TEST_F(MainLoopTest, SuspendedProgramStillRunsItsGameButDoesNotDraw) {
  setGameFunc(traceGame);
  setDrawFunc(traceDraw);
  quitAfter = 2;
  EXPECT_EQ(onLibrarySuspend(fw().displayDC, 1), 1);  // no callback: suspend
  EXPECT_EQ(fw().active, 0);
  EXPECT_EQ(runMainLoop(), 0);
  EXPECT_EQ(trace, "G G ");

  setSuspendAppFunc(answerSuspend);
  EXPECT_EQ(onLibrarySuspend(nullptr, 1), 2);
  EXPECT_EQ(suspendReason, 1);
  EXPECT_EQ(onLibrarySuspend(nullptr, 2), 2);
  EXPECT_EQ(suspendReason, 2);
  EXPECT_EQ(fw().active, 1);
  suspendReason = 0;
  EXPECT_EQ(onLibrarySuspend(nullptr, 3), 1);
  EXPECT_EQ(suspendReason, 0);
  EXPECT_EQ(fw().active, 1);
}

TEST_F(MainLoopTest, FullScreenModeSetRegistersTheSuspendHandler) {
  EXPECT_EQ(RK_suspendHandler(), &onLibrarySuspend);
}

}  // namespace
