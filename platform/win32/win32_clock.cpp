// The millisecond clock and the steady 60 Hz tick that stands in for the
// vertical retrace.
#include "platform/win32/win32_internal.h"

#include <mmsystem.h>

#include "platform/common/counter_clock.h"
#include "platform/common/retrace_beat.h"

namespace {

int64_t counterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t counterFrequency() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? f.QuadPart : 1;
  }();
  return frequency;
}

const CounterClock clock(counterNow, counterFrequency());

// Sleep's default granularity is the system tick (often 15.6 ms), far too
// coarse for a 16.7 ms frame: ask for one millisecond while the program runs.
struct TimerResolution {
  TimerResolution() { timeBeginPeriod(1); }
  ~TimerResolution() { timeEndPeriod(1); }
};

void fineSleep(DWORD milliseconds) {
  static TimerResolution resolution;
  Sleep(milliseconds);
}

}  // namespace

uint32_t millisecondsSinceStart() {
  return clock.milliseconds();
}

uint64_t microsecondsSinceStart() {
  return clock.microseconds();
}

// GDI has no vertical sync to wait on: the retrace wait sleeps to the next
// beat of a steady 60 Hz clock.
void waitForRetraceTick() {
  static RetraceBeat beat(counterFrequency());
  beat.wait(counterNow, [](int64_t millisecondsLeft) {
    fineSleep(static_cast<DWORD>(millisecondsLeft > 1 ? millisecondsLeft : 1));
  });
}
