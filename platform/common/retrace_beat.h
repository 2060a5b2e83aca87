// The steady 60 Hz beat the retrace wait keeps. The game's speeds are per
// frame, tuned for a display of 60 frames a second: without a real vertical
// sync to wait on (GDI, a software renderer, a virtual display) it would
// race, and on a faster display it would play faster.
#pragma once

#include <cstdint>

class RetraceBeat {
 public:
  // A beat on a counter of `frequency` readings a second.
  explicit RetraceBeat(int64_t frequency);

  // Waits for the next beat: reads the counter through `now` and hands the
  // whole milliseconds left to `sleep` until the beat has come. A program
  // that fell behind by more than a beat starts a fresh one at once instead
  // of racing to catch up.
  void wait(int64_t (*now)(), void (*sleep)(int64_t millisecondsLeft));

 private:
  int64_t frequency_;
  int64_t period_;
  int64_t next_ = 0;
};
