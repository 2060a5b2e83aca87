#include "platform/common/suspend_protocol.h"

#include "graphics/rasterkit.h"

namespace {

bool waiting = false;

}  // namespace

SuspendOutcome suspendOnLosingFront(WaitUntilBack waitUntilBack, void *context) {
  RK_SuspendHandler handler = RK_suspendHandler();
  if (!handler || waiting) return SuspendOutcome::NoHandler;
  DeviceContext *dc = RK_currentContext();
  const int answer = handler(dc, 1);
  if (answer == 0) return SuspendOutcome::KeptInFront;
  if (answer == 2) return SuspendOutcome::RunningBehind;
  waiting = true;
  const bool back = waitUntilBack(context);
  waiting = false;
  if (!back) return SuspendOutcome::WindowGone;
  handler(dc, 2);
  return SuspendOutcome::Resumed;
}

void resumeFromBehind() {
  if (RK_SuspendHandler handler = RK_suspendHandler()) handler(RK_currentContext(), 2);
}

bool suspensionWaiting() {
  return waiting;
}
