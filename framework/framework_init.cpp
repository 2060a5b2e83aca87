// Start-up and shut-down of the framework, and its module state.
#include <cstring>

#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"

namespace {

FrameworkState state;

// The event pump hands every message on; the answer only matters to a
// window system that asks for one.
void receivePlatformMessage(const PlatformMessage &message) {
  frameworkWindowProc(message);
}

}  // namespace

FrameworkState &frameworkState() {
  return state;
}

void resetFrameworkState() {
  FrameworkState &s = state;
  s.window = nullptr;
  s.windowCreated = false;
  s.quit = 0;
  s.active = 1;
  s.drawDC = nullptr;
  s.displayDC = nullptr;
  s.backBufferDC = nullptr;
  s.inModeSet = 0;
  s.switching = false;
  s.savedWindowX = -1;
  s.savedWindowY = -1;
  s.fullScreen = 0;
  s.stretch = 0;
}

DeviceContext **initFramework(const char *title) {
  FrameworkState &s = state;
  resetFrameworkState();

  // No Linux host is that old.
  s.oldHost = false;
  s.screenWidth = 0;
  s.screenHeight = 0;
  const RK_Platform *platform = RK_platform();
  if (platform && platform->desktopSize) platform->desktopSize(&s.screenWidth, &s.screenHeight);
  // There is no program instance handle on Linux.
  RK_recordInstance(nullptr);

  std::memset(s.title, 0, sizeof s.title);
  if (title) std::strncpy(s.title, title, sizeof s.title - 1);

  setPlatformMessageHandler(receivePlatformMessage);
  buildModeList();
  return &s.drawDC;
}

int shutdownFramework() {
  FrameworkState &s = state;
  s.drawDC = nullptr;
  s.displayDC = nullptr;
  s.backBufferDC = nullptr;
  RK_shutdown();
  s.libraryStarted = false;
  destroyFrameworkWindow();
  pumpMessages();
  s.driversRegistered = false;
  resetFrameworkState();
  return 0;
}
