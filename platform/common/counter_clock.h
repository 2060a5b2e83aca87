// A clock read off a system's performance counter (any frequency), counted
// from its first reading: only spans between readings matter to the game.
#pragma once

#include <cstdint>

class CounterClock {
 public:
  // `read` gives the counter, `frequency` its readings a second.
  CounterClock(int64_t (*read)(), int64_t frequency);

  uint32_t milliseconds() const;
  uint64_t microseconds() const;

  int64_t read() const { return read_(); }
  int64_t frequency() const { return frequency_; }

 private:
  uint64_t elapsedIn(uint64_t unitsPerSecond) const;

  int64_t (*read_)();
  int64_t frequency_;
  int64_t start_;
};
