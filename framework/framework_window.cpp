// The framework's one top-level window.
#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"

namespace {

// The window system here registers window classes implicitly, so this never
// fails; the report stays for a back end that can refuse.
bool registerWindowClass() {
  return true;
}

}  // namespace

bool createFrameworkWindow() {
  FrameworkState &s = frameworkState();
  RK_selectContext(nullptr);
  if (s.displayDC) RK_closeContext(s.displayDC);
  if (s.backBufferDC) RK_closeContext(s.backBufferDC);
  s.displayDC = nullptr;
  s.backBufferDC = nullptr;
  // Nothing may draw into a context that is gone.
  s.drawDC = nullptr;

  if (!s.classRegistered) {
    if (!registerWindowClass()) RK_reportFatal("Unable to register Window Class!");
    s.classRegistered = true;
  }

  const RK_Platform *platform = RK_platform();
  if (!s.window) {
    if (!platform || !platform->createWindow) return false;
    buildModeList();
    if (!s.libraryStarted) {
      int driver = s.detectedDriver;
      int mode = -1;
      if (!RK_init(&driver, &mode, "")) return false;
      s.libraryStarted = true;
    }
    s.window = platform->createWindow(s.title, modeSwitchFunc() != nullptr);
    if (!s.window) return false;
    s.frameExtraWidth = 0;
    s.frameExtraHeight = 0;
    if (platform->frameExtra) platform->frameExtra(s.window, &s.frameExtraWidth, &s.frameExtraHeight);
    s.windowWidth = 320 + s.frameExtraWidth;
    s.windowHeight = 200 + s.frameExtraHeight;
    s.windowCreated = true;
  }
  RK_recordMainWindow(s.window);
  return true;
}

void destroyFrameworkWindow() {
  FrameworkState &s = frameworkState();
  if (!s.window) return;
  void *window = s.window;
  s.window = nullptr;
  s.windowCreated = false;
  if (RK_mainWindow() == window) RK_recordMainWindow(nullptr);
  const RK_Platform *platform = RK_platform();
  if (platform && platform->destroyWindow) platform->destroyWindow(window);
  // The window system would tell the window procedure at once.
  PlatformMessage destroyed;
  destroyed.type = PlatformMessageType::WindowDestroyed;
  destroyed.window = window;
  frameworkWindowProc(destroyed);
}

void centreWindow(void *window, const WindowArea *over) {
  FrameworkState &s = frameworkState();
  const WindowArea desktop{0, 0, s.screenWidth, s.screenHeight};
  const WindowArea &area = over ? *over : desktop;
  int x = (area.width - s.windowWidth) / 2;
  int y = (area.height - s.windowHeight) / 2;
  if (x >= 0 && y >= 0) {
    x += area.x;
    y += area.y;
  } else if (over) {
    x = (s.screenWidth - s.windowWidth) / 2;
    y = (s.screenHeight - s.windowHeight) / 2;
  }
  // A window larger than the desktop keeps its caption reachable.
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  const RK_Platform *platform = RK_platform();
  if (platform && platform->placeWindow) platform->placeWindow(window, x, y, s.windowWidth, s.windowHeight);
}
