#include "platform/common/counter_clock.h"

CounterClock::CounterClock(int64_t (*read)(), int64_t frequency)
    : read_(read), frequency_(frequency > 0 ? frequency : 1), start_(read()) {}

// Whole seconds and the rest apart, so that a fast counter in a long run
// cannot overflow the product of its readings and a million.
uint64_t CounterClock::elapsedIn(uint64_t unitsPerSecond) const {
  const uint64_t elapsed = static_cast<uint64_t>(read_() - start_);
  const uint64_t frequency = static_cast<uint64_t>(frequency_);
  return elapsed / frequency * unitsPerSecond + elapsed % frequency * unitsPerSecond / frequency;
}

uint32_t CounterClock::milliseconds() const {
  return static_cast<uint32_t>(elapsedIn(1000));
}

uint64_t CounterClock::microseconds() const {
  return elapsedIn(1000000);
}
