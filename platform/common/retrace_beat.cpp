#include "platform/common/retrace_beat.h"

RetraceBeat::RetraceBeat(int64_t frequency)
    : frequency_(frequency > 0 ? frequency : 1), period_(frequency_ / 60 > 0 ? frequency_ / 60 : 1) {}

bool RetraceBeat::reached(int64_t reading) {
  if (!started_ || reading > next_ + 2 * period_) {
    started_ = true;
    next_ = reading + period_;
    return true;
  }
  if (reading < next_ - period_ / 4) return false;
  next_ += period_;
  return true;
}

void RetraceBeat::wait(int64_t (*now)(), void (*sleep)(int64_t millisecondsLeft)) {
  for (;;) {
    const int64_t reading = now();
    if (reached(reading)) return;
    sleep((next_ - reading) * 1000 / frequency_);
  }
}
