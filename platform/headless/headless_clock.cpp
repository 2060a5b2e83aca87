#include "platform/headless/headless_internal.h"

namespace {

uint32_t wallMilliseconds() {
  const auto elapsed = std::chrono::steady_clock::now() - headlessState().start;
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uint64_t wallMicroseconds() {
  const auto elapsed = std::chrono::steady_clock::now() - headlessState().start;
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

}  // namespace

void headlessSetClockStep(int milliseconds) {
  headlessState().clockStep = milliseconds > 0 ? milliseconds : 0;
}

void headlessSetClock(uint32_t milliseconds) {
  HeadlessState &s = headlessState();
  s.fakeClock = milliseconds;
  s.start = std::chrono::steady_clock::now() - std::chrono::milliseconds(milliseconds);
}

uint32_t headlessClockPeek() {
  const HeadlessState &s = headlessState();
  return s.clockStep > 0 ? s.fakeClock : wallMilliseconds();
}

uint32_t headlessTicks() {
  HeadlessState &s = headlessState();
  if (s.clockStep == 0) return wallMilliseconds();
  s.fakeClock += static_cast<uint32_t>(s.clockStep);
  return s.fakeClock;
}

// The finer clock is the same clock: a stepped run advances it by the same
// step per reading, so its frames stay reproducible.
uint64_t headlessMicroseconds() {
  HeadlessState &s = headlessState();
  if (s.clockStep == 0) return wallMicroseconds();
  s.fakeClock += static_cast<uint32_t>(s.clockStep);
  return uint64_t{s.fakeClock} * 1000u;
}

// Nothing waits on a headless machine; a fake clock still moves on.
void headlessSleep(int milliseconds) {
  HeadlessState &s = headlessState();
  if (s.clockStep > 0 && milliseconds > 0) s.fakeClock += static_cast<uint32_t>(milliseconds);
}
