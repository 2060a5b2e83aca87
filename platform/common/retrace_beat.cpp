#include "platform/common/retrace_beat.h"

RetraceBeat::RetraceBeat(int64_t frequency)
    : frequency_(frequency > 0 ? frequency : 1), period_(frequency_ / 60) {}

void RetraceBeat::wait(int64_t (*now)(), void (*sleep)(int64_t millisecondsLeft)) {
  int64_t reading = now();
  if (next_ == 0 || reading > next_ + period_) next_ = reading;
  while (reading < next_) {
    sleep((next_ - reading) * 1000 / frequency_);
    reading = now();
  }
  next_ += period_;
}
