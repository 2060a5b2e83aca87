#include <string>

#include "framework_fixture.h"

namespace {

std::string trace;
int passes = 0;
int quitAfter = 1;

void traceKeyDown(const Event &e) {
  const int scan = (e.message >> 8) & 0xFF;
  trace += "K" + std::to_string(scan) + " ";
  if (scan == 1) quitMainLoop();
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

int suspendReason = 0;
int answerSuspend(DeviceContext *, int reason) {
  suspendReason = reason;
  return 2;
}

class MainLoopTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    trace.clear();
    passes = suspendReason = 0;
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
  headlessPressKey(1, 27);                              // quits in the key-down ...
  headlessPressKey(80);                                 // ... yet the pass runs to its end
  EXPECT_EQ(runMainLoop(), 0);
  EXPECT_EQ(trace, "K72 U M5,6 K1 K80 G D ");
  EXPECT_EQ(fw().window, nullptr);  // shut down
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

TEST_F(MainLoopTest, SuspendedProgramRunsItsGameButDoesNotDraw) {
  EXPECT_EQ(RK_suspendHandler(), &onLibrarySuspend);
  setGameFunc(traceGame);
  setDrawFunc(traceDraw);
  quitAfter = 2;
  EXPECT_EQ(onLibrarySuspend(fw().displayDC, 1), 1);  // without a callback: suspend
  EXPECT_EQ(runMainLoop(), 0);
  EXPECT_EQ(trace, "G G ");

  setSuspendAppFunc(answerSuspend);
  EXPECT_EQ(onLibrarySuspend(nullptr, 1), 2);
  EXPECT_EQ(fw().active, 0);
  EXPECT_EQ(onLibrarySuspend(nullptr, 2), 2);
  EXPECT_EQ(suspendReason, 2);
  EXPECT_EQ(fw().active, 1);
  EXPECT_EQ(onLibrarySuspend(nullptr, 3), 1);
  EXPECT_EQ(suspendReason, 2);
}

}  // namespace
