// The main loop: events into callbacks, then the game's logic and drawing.
#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"

namespace {

void dispatchEvents() {
  Event event{};
  while (getEvent(&event, AllEvents)) {
    switch (event.what) {
      case KeyDown:
        if (KeyDownFunc f = keyDownFunc()) f(event);
        break;
      case KeyUp:
        if (KeyUpFunc f = keyUpFunc()) f(event);
        break;
      case MouseDown:
        if (MouseDownFunc f = mouseDownFunc()) f(event);
        break;
      default:
        break;
    }
  }
}

}  // namespace

int runMainLoop() {
  FrameworkState &s = frameworkState();
  s.quit = 0;
  do {
    dispatchEvents();
    if (GameFunc game = gameFunc()) game();
    if (s.active)
      if (DrawFunc draw = drawFunc()) draw();
  } while (!s.quit);
  return shutdownFramework();
}

void quitMainLoop() {
  frameworkState().quit = 1;
}

void pumpMessages() {
  const RK_Platform *platform = RK_platform();
  if (!platform || !platform->messages.next) return;
  PlatformMessage message;
  while (platform->messages.next(&message)) frameworkWindowProc(message);
}

int onLibrarySuspend(DeviceContext *dc, int reason) {
  FrameworkState &s = frameworkState();
  if (reason == 1) {
    s.active = 0;
    SuspendAppFunc f = suspendAppFunc();
    return f ? f(dc, 1) : 1;
  }
  if (reason == 2) {
    s.active = 1;
    SuspendAppFunc f = suspendAppFunc();
    return f ? f(dc, 2) : 1;
  }
  return 1;
}
