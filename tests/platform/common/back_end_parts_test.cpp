// The smaller parts the display back ends share: the modes a desktop serves,
// the list of live windows, and the steady 60 Hz beat of the retrace wait.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/rk_platform.h"
#include "platform/common/desktop_modes.h"
#include "platform/common/retrace_beat.h"
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

  // The sleeps are told the whole milliseconds left, down to none.
  counter += 97;
  beat.wait(readCounter, sleepOn);
  EXPECT_EQ(slept, (std::vector<int64_t>{0, 0, 0}));
  EXPECT_EQ(counter, 6300);
}

TEST_F(RetraceBeatTest, AProgramThatFellBehindStartsAFreshBeatInsteadOfRacing) {
  beat.wait(readCounter, sleepOn);  // beat at 6000, the next at 6100
  counter += 150;                   // late, but by less than a beat
  beat.wait(readCounter, sleepOn);  // the beat at 6100 has passed: no wait
  EXPECT_TRUE(slept.empty());
  beat.wait(readCounter, sleepOn);  // the beat stays on its grid: 6200
  EXPECT_EQ(slept, (std::vector<int64_t>{8, 0, 0}));
  EXPECT_EQ(counter, 6200);

  counter = 9000;  // a stall of many beats
  const int64_t before = counter;
  beat.wait(readCounter, sleepOn);  // starts afresh now, without a wait
  beat.wait(readCounter, sleepOn);  // and the next beat is one period on
  EXPECT_EQ(counter - before, 100);
}

}  // namespace
