// The smaller parts the display back ends share: the modes a desktop serves,
// the list of live windows, the steady 60 Hz beat of the retrace wait (a
// sleeping back end's and the page's), the counter clock and the answers to
// the suspend handler.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/rk_platform.h"
#include "graphics/rasterkit.h"
#include "platform/common/counter_clock.h"
#include "platform/common/desktop_modes.h"
#include "platform/common/retrace_beat.h"
#include "platform/common/suspend_protocol.h"
#include "platform/common/window_list.h"

namespace {

int desktopAsked = 0;
void desktop1280x1024(int *width, int *height) {
  ++desktopAsked;
  *width = 1280;
  *height = 1024;
}

TEST(DesktopModes, BothFamiliesAtAnySizeTheDesktopHoldsWithTwoPages) {
  desktopAsked = 0;
  int pages = 0;
  EXPECT_TRUE(
      servesDesktopMode(RK_FamilyDIB, 640, 480, 8, ShownDepths::PalettedOnly, desktop1280x1024, &pages));
  EXPECT_EQ(pages, 2);
  EXPECT_TRUE(servesDesktopMode(RK_FamilyDirectDraw, 1280, 1024, 32, ShownDepths::AllConverted,
                                desktop1280x1024, nullptr));
  for (int bits : {8, 15, 16, 24, 32})
    EXPECT_TRUE(
        servesDesktopMode(RK_FamilyDIB, 320, 240, bits, ShownDepths::AllConverted, desktop1280x1024, nullptr))
        << bits;
  const int asked = desktopAsked;

  // Refused without asking the desktop: another family, a depth not shown.
  pages = 0;
  EXPECT_FALSE(servesDesktopMode(3, 640, 480, 8, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 640, 480, 16, ShownDepths::PalettedOnly, desktop1280x1024, &pages));
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 640, 480, 4, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_EQ(desktopAsked, asked);
  // Refused by size: larger than the desktop either way, or nothing at all.
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 1281, 1024, 8, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 1280, 1025, 8, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 0, 480, 8, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_FALSE(
      servesDesktopMode(RK_FamilyDIB, 640, -1, 8, ShownDepths::AllConverted, desktop1280x1024, &pages));
  EXPECT_EQ(pages, 0);  // left alone when refused
}

struct FakeWindow {
  int id = 0;
};

TEST(WindowListTest, OnlyListedWindowsAreLiveAndTheFirstCreatedIsTheFirst) {
  WindowList<FakeWindow> list;
  FakeWindow a{1}, b{2}, c{3};
  EXPECT_EQ(list.first(), nullptr);
  EXPECT_EQ(list.live(&a), nullptr);
  list.add(&a);
  list.add(&b);
  list.add(&c);
  EXPECT_EQ(list.live(&b), &b);
  EXPECT_EQ(list.live(nullptr), nullptr);
  int notAWindow = 0;
  EXPECT_EQ(list.live(&notAWindow), nullptr);
  EXPECT_EQ(list.find([](const FakeWindow &w) { return w.id == 3; }), &c);
  EXPECT_EQ(list.find([](const FakeWindow &w) { return w.id == 4; }), nullptr);

  list.remove(&a);
  EXPECT_EQ(list.live(&a), nullptr);
  EXPECT_EQ(list.first(), &b);
  list.remove(&a);  // a handle already gone changes nothing
  EXPECT_EQ(list.first(), &b);
  list.remove(&b);
  list.remove(&c);
  EXPECT_EQ(list.first(), nullptr);
}

// A counter of 6000 readings a second (a beat is 100 readings) that moves
// only when slept on: 6 readings a millisecond, and a sleep of no whole
// millisecond still lets one reading pass.
int64_t counter = 0;
std::vector<int64_t> slept;

int64_t readCounter() {
  return counter;
}

void sleepOn(int64_t milliseconds) {
  slept.push_back(milliseconds);
  counter += milliseconds > 0 ? milliseconds * 6 : 1;
}

class RetraceBeatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    counter = 6000;
    slept.clear();
  }
  RetraceBeat beat{6000};
};

TEST_F(RetraceBeatTest, EveryWaitEndsOnTheNextBeatOfASteady60HzClock) {
  beat.wait(readCounter, sleepOn);  // the first wait starts the beat at once
  EXPECT_TRUE(slept.empty());
  EXPECT_EQ(counter, 6000);

  counter += 40;  // a frame drawn in 40 readings
  beat.wait(readCounter, sleepOn);
  EXPECT_EQ(counter, 6100);
  EXPECT_EQ(slept, (std::vector<int64_t>{10}));  // 60 readings left: 10 ms

  counter += 100;  // a frame of exactly a beat: no wait
  slept.clear();
  beat.wait(readCounter, sleepOn);
  EXPECT_TRUE(slept.empty());
  EXPECT_EQ(counter, 6200);

  // The sleeps are told the whole milliseconds left.
  counter += 70;
  beat.wait(readCounter, sleepOn);
  EXPECT_EQ(slept, (std::vector<int64_t>{5}));
  EXPECT_EQ(counter, 6300);

  // Within a quarter of a beat the beat has come, and the next stays on its
  // grid.
  slept.clear();
  counter += 78;
  beat.wait(readCounter, sleepOn);
  EXPECT_TRUE(slept.empty());
  beat.wait(readCounter, sleepOn);
  EXPECT_EQ(slept, (std::vector<int64_t>{20}));
  EXPECT_EQ(counter, 6498);
}

TEST_F(RetraceBeatTest, AProgramThatFellBehindStartsAFreshBeatInsteadOfRacing) {
  beat.wait(readCounter, sleepOn);  // beat at 6000, the next at 6100
  counter += 150;                   // late, but by less than two beats
  beat.wait(readCounter, sleepOn);  // the beat at 6100 has passed: no wait
  EXPECT_TRUE(slept.empty());
  beat.wait(readCounter, sleepOn);  // the beat stays on its grid: 6200
  EXPECT_EQ(slept, (std::vector<int64_t>{8}));
  EXPECT_EQ(counter, 6198);

  counter = 9000;  // a stall of many beats
  const int64_t before = counter;
  beat.wait(readCounter, sleepOn);  // starts afresh now, without a wait
  beat.wait(readCounter, sleepOn);  // and the next beat is one period on
  EXPECT_EQ(counter - before, 96);
}

// The page is woken once per displayed frame: how many frames of a display
// at `hz`, with `jitterMs` of alternating jitter, reach the beat during
// `seconds` (the page's clock in microseconds).
int framesOnTheBeat(double hz, double seconds, double jitterMs = 0.0) {
  RetraceBeat beat(1000000);
  int reached = 0;
  const int frames = static_cast<int>(hz * seconds);
  for (int i = 1; i <= frames; ++i) {
    const double ms = 1000.0 + i * 1000.0 / hz + (i % 2 ? jitterMs : -jitterMs);
    if (beat.reached(static_cast<int64_t>(ms * 1000.0))) ++reached;
  }
  return reached;
}

TEST(RetraceBeatOfDisplayFrames, SixtyPassesASecondOnEveryDisplayAndAFreshBeatAfterAHiddenTab) {
  EXPECT_EQ(framesOnTheBeat(60, 2), 120);
  EXPECT_EQ(framesOnTheBeat(60, 2, 1.5), 120);  // jitter of a real display never skips a frame
  EXPECT_EQ(framesOnTheBeat(120, 2), 120);
  EXPECT_NEAR(framesOnTheBeat(144, 2), 120, 1);
  EXPECT_NEAR(framesOnTheBeat(75, 2), 120, 1);
  EXPECT_EQ(framesOnTheBeat(30, 2), 60);  // a slow display shows what it can

  RetraceBeat beat(1000000);
  EXPECT_TRUE(beat.reached(0));
  EXPECT_FALSE(beat.reached(8000));
  EXPECT_TRUE(beat.reached(16700));
  // A hidden tab: a second without frames, then every display frame of a
  // 60 Hz display again reaches one beat, not several at once.
  EXPECT_TRUE(beat.reached(1016700));
  EXPECT_FALSE(beat.reached(1020000));
  EXPECT_TRUE(beat.reached(1033400));
}

// The performance counters of the back ends run at any frequency, and a
// long run must not overflow their conversion.
int64_t counterReading = 0;
int64_t readCounterReading() {
  return counterReading;
}

TEST(CounterClock, CountsFromItsFirstReadingInMillisecondsAndMicrosecondsWithoutOverflow) {
  counterReading = 123456789;
  const CounterClock clock(readCounterReading, 10000000);  // a 10 MHz counter
  EXPECT_EQ(clock.microseconds(), 0u);
  counterReading += 15000000;  // a second and a half
  EXPECT_EQ(clock.milliseconds(), 1500u);
  EXPECT_EQ(clock.microseconds(), 1500000u);
  counterReading += 3;
  EXPECT_EQ(clock.microseconds(), 1500000u);  // 0.3 µs: not yet a whole one
  counterReading = 123456789 + 1000000000000000000;  // over three thousand years
  EXPECT_EQ(clock.microseconds(), 100000000000000000u);
}

// The suspend handler's answers, followed alike by every back end.
std::vector<int> reasonsHeard;
int handlerAnswer = 0;
int waits = 0;
bool windowStays = true;

int suspendHandler(DeviceContext *, int reason) {
  reasonsHeard.push_back(reason);
  return handlerAnswer;
}

bool waitUntilBack(void *) {
  ++waits;
  EXPECT_TRUE(suspensionWaiting());
  // Losing the front again while waiting starts no second suspension.
  EXPECT_EQ(suspendOnLosingFront(waitUntilBack, nullptr), SuspendOutcome::NoHandler);
  return windowStays;
}

TEST(SuspendProtocol, TheHandlersAnswerDecidesAndItHearsWhenTheProgramIsBack) {
  RK_setSuspendHandler(suspendHandler);
  struct Case {
    int answer;
    bool windowStays;
    SuspendOutcome outcome;
    int waits;
    std::vector<int> heard;
  };
  const Case cases[] = {
      {0, true, SuspendOutcome::KeptInFront, 0, {1}},
      {2, true, SuspendOutcome::RunningBehind, 0, {1}},
      {1, true, SuspendOutcome::Resumed, 1, {1, 2}},
      {1, false, SuspendOutcome::WindowGone, 1, {1}},  // nobody left to tell
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.answer);
    reasonsHeard.clear();
    waits = 0;
    handlerAnswer = c.answer;
    windowStays = c.windowStays;
    EXPECT_EQ(suspendOnLosingFront(waitUntilBack, nullptr), c.outcome);
    EXPECT_EQ(waits, c.waits);
    EXPECT_EQ(reasonsHeard, c.heard);
    EXPECT_FALSE(suspensionWaiting());
  }
  reasonsHeard.clear();
  resumeFromBehind();  // a program that ran behind is in front again
  EXPECT_EQ(reasonsHeard, (std::vector<int>{2}));

  RK_setSuspendHandler(nullptr);
  waits = 0;
  EXPECT_EQ(suspendOnLosingFront(waitUntilBack, nullptr), SuspendOutcome::NoHandler);
  resumeFromBehind();
  EXPECT_EQ(waits, 0);
}

}  // namespace
