#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

namespace {
bool active = false;
void *fullScreenWindow = nullptr;
}  // namespace

void RK_noteFullScreen(void *window) {
  active = true;
  fullScreenWindow = window;
}

bool RK_fullScreenActive() {
  return active;
}

// The auto-run policy and the desktop's mouse cursor have no counterpart on
// Linux: leaving full-screen output is all there is to undo.
void RK_returnToDesktop() {
  if (!active) return;
  active = false;
  const RK_Platform *p = RK_platform();
  if (p && p->leaveFullScreen) p->leaveFullScreen(fullScreenWindow);
  fullScreenWindow = nullptr;
}
