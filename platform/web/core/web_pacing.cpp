#include "platform/web/core/web_pacing.h"

bool RetracePace::frameEndsWait(double nowMs) {
  constexpr double kEarly = kPeriodMs / 4;
  if (!started_ || nowMs > nextTick_ + 2 * kPeriodMs) {
    started_ = true;
    nextTick_ = nowMs + kPeriodMs;
    return true;
  }
  if (nowMs < nextTick_ - kEarly) return false;
  nextTick_ += kPeriodMs;
  return true;
}
