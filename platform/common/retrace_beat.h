// The steady 60 Hz beat the retrace wait keeps, on every back end. The
// game's speeds are per frame, tuned for a display of 60 frames a second:
// without a real vertical sync to wait on (GDI, a software renderer, a
// virtual display) it would race, and on a faster display it would play
// faster. A back end that can sleep waits for the beat; the page, woken by
// the browser once per displayed frame, asks whether that frame has reached
// it.
#pragma once

#include <cstdint>

class RetraceBeat {
 public:
  // A beat on a counter of `frequency` readings a second.
  explicit RetraceBeat(int64_t frequency);

  // Whether the counter's `reading` has come to the beat; if so the beat
  // moves on by one period. A reading up to a quarter period early counts,
  // so a 60 Hz display's own jitter never skips a frame. A program more than
  // two periods behind (a stall, a hidden tab) starts a fresh beat from the
  // reading instead of hurrying to catch up.
  bool reached(int64_t reading);

  // Reads the counter through `now` until the beat has come, handing the
  // whole milliseconds left to `sleep` in between.
  void wait(int64_t (*now)(), void (*sleep)(int64_t millisecondsLeft));

 private:
  int64_t frequency_;
  int64_t period_;
  int64_t next_ = 0;
  bool started_ = false;
};
