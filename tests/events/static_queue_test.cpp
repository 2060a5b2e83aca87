// Runs in its own process: the queue must work before initEvents was ever
// called, as it does for a program that starts in a window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/events/events.h"

namespace {

bool oneTimer(PlatformMessage *out) {
  static int left = 3;
  if (left == 0) return false;
  --left;
  out->type = PlatformMessageType::Timer;
  out->time = 5;
  return true;
}

const PlatformMessageSource timerSource{oneTimer, nullptr, nullptr};

TEST(EventQueueStartup, QueuesWithoutInitialisation) {
  // Re-executes the test program, so no earlier test has touched the queue.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setPlatformMessageSource(&timerSource);
        Event e;
        int n = 0;
        while (getEvent(&e, AllEvents)) n += (e.what == Timer && e.when == 5);
        std::exit(n == 3 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
