// The millisecond clock and the steady 60 Hz tick that stands in for the
// vertical retrace.
#include "platform/win32/win32_internal.h"

#include <mmsystem.h>

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

const int64_t startCounter = counterNow();

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
  return static_cast<uint32_t>((counterNow() - startCounter) * 1000 / counterFrequency());
}

// Whole seconds and the rest apart, so that a long run cannot overflow the
// product of counter and a million.
uint64_t microsecondsSinceStart() {
  const int64_t elapsed = counterNow() - startCounter;
  const int64_t frequency = counterFrequency();
  return static_cast<uint64_t>(elapsed / frequency * 1000000 + elapsed % frequency * 1000000 / frequency);
}

// The game's speeds are per frame, tuned for a display of 60 frames a
// second. Waiting for the retrace therefore waits for the next tick of a
// steady 60 Hz clock, sleeping: GDI has no vertical sync to wait on, and on
// a faster display the game would otherwise play faster. A program that fell
// behind by more than a frame starts a fresh beat instead of racing.
void waitForRetraceTick() {
  const int64_t frequency = counterFrequency();
  const int64_t period = frequency / 60;
  static int64_t nextTick = 0;
  int64_t now = counterNow();
  if (nextTick == 0 || now > nextTick + period) nextTick = now;
  while (now < nextTick) {
    const int64_t remainingMs = (nextTick - now) * 1000 / frequency;
    fineSleep(static_cast<DWORD>(remainingMs > 1 ? remainingMs : 1));
    now = counterNow();
  }
  nextTick += period;
}
