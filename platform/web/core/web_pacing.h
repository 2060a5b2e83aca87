// The 60 Hz pace of the retrace wait. The browser calls the page once per
// displayed frame, at the display's own rate; the game's speeds are per
// frame and tuned for 60 frames a second, so only the display frames that
// reach the next tick of a steady 60 Hz clock end a wait.
#pragma once

class RetracePace {
 public:
  static constexpr double kPeriodMs = 1000.0 / 60.0;

  // Whether a display frame at `nowMs` ends the current wait; if so, the
  // clock moves on to its next tick. A frame up to a quarter period early
  // still counts, so a 60 Hz display's own jitter never skips a frame. After
  // a stall (a hidden tab, a slow frame) the clock restarts from now rather
  // than hurrying to catch up.
  bool frameEndsWait(double nowMs);

 private:
  double nextTick_ = 0.0;
  bool started_ = false;
};
