// Setting a video mode: full screen with pages, or in a window, and the
// DeviceContexts the application draws into.
#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"

namespace {

void refreshDesktopSize() {
  FrameworkState &s = frameworkState();
  const RK_Platform *platform = RK_platform();
  if (platform && platform->desktopSize) platform->desktopSize(&s.screenWidth, &s.screenHeight);
}

// Pointer positions arrive in display coordinates; the application wants
// them in the coordinates of the surface it draws.
void scalePointerToDrawTarget() {
  const FrameworkState &s = frameworkState();
  if (s.backBufferDC && s.displayWidth > 0 && s.displayHeight > 0 &&
      (s.backWidth != s.displayWidth || s.backHeight != s.displayHeight))
    setPointerScaling(s.backWidth, s.displayWidth, s.backHeight, s.displayHeight);
  else
    setPointerScaling(0, 0, 0, 0);
}

bool displaySizeFor(int stretch, int *width, int *height) {
  const FrameworkState &s = frameworkState();
  switch (stretch) {
    case 0:
      *width = s.backWidth;
      *height = s.backHeight;
      return true;
    case 1:
      *width = s.backWidth;
      *height = 2 * s.backHeight;
      return true;
    case 2:
      *width = 2 * s.backWidth;
      *height = 2 * s.backHeight;
      return true;
    default:
      return false;
  }
}

bool applyMode(const VideoMode &mode, int windowed, int pages, int forceBackBuffer) {
  FrameworkState &s = frameworkState();
  // The caller may hand in the very record kept here.
  const VideoMode wanted = mode;
  s.currentMode = wanted;
  s.currentPages = pages;
  s.currentForceBackBuffer = forceBackBuffer;
  if (windowed) {
    int w = wanted.width;
    int h = wanted.height;
    if (w == 320 && (h == 200 || h == 400 || h == 480)) h = 240;
    if (w == 640) h = 480;
    return setWindowedMode(w, h, wanted.windowStretch);
  }
  if (wanted.mode == -1) return false;
  return setFullScreenMode(wanted.mode, pages, wanted.stretch, forceBackBuffer);
}

}  // namespace

bool setMode(const VideoMode &mode, int windowed, int pages, int forceBackBuffer) {
  FrameworkState &s = frameworkState();
  const bool outerSwitch = s.switching;
  s.switching = true;
  const bool done = applyMode(mode, windowed, pages, forceBackBuffer);
  s.switching = outerSwitch;
  return done;
}

bool setFullScreenMode(int mode, int pages, int stretch, int forceBackBuffer) {
  FrameworkState &s = frameworkState();
  const bool wasWindowed = s.window && !s.fullScreen;
  s.inModeSet = 1;
  s.fullScreen = 1;
  // Remember where the user left the window; a full-screen window's corner
  // says nothing about that.
  const RK_Platform *platform = RK_platform();
  if (wasWindowed && s.savedWindowX != -1 && platform && platform->windowPosition)
    platform->windowPosition(s.window, &s.savedWindowX, &s.savedWindowY);
  if (!createFrameworkWindow()) return false;

  const int modePages = RK_modePages(mode);
  if (pages > modePages) pages = modePages;
  if (!RK_chooseMode(mode)) return false;
  DeviceContext *dc = RK_openDisplay(pages);
  if (!dc) return false;
  RK_selectContext(dc);
  s.displayWidth = RK_lastColumn(dc) + 1;
  s.displayHeight = RK_lastRow(dc) + 1;
  switch (stretch) {
    case 0:
      s.backWidth = s.displayWidth;
      s.backHeight = s.displayHeight;
      break;
    case 1:
      s.backWidth = s.displayWidth;
      s.backHeight = s.displayHeight / 2;
      forceBackBuffer = 1;
      break;
    case 2:
      s.backWidth = s.displayWidth / 2;
      s.backHeight = s.displayHeight / 2;
      forceBackBuffer = 1;
      break;
    default:
      // The display context is not handed out: close it rather than lose it.
      RK_selectContext(nullptr);
      RK_closeContext(dc);
      return false;
  }
  s.stretch = stretch;
  RK_setSuspendHandler(onLibrarySuspend);
  if (!setupDrawTargets(dc, forceBackBuffer)) return false;
  scalePointerToDrawTarget();
  s.inModeSet = 0;
  return true;
}

bool setWindowedMode(int width, int height, int stretch) {
  FrameworkState &s = frameworkState();
  s.inModeSet = 1;
  // The desktop may have changed since start-up; that is one reason to be here.
  refreshDesktopSize();
  s.backWidth = width;
  s.backHeight = height;
  if (width >= s.screenWidth || height >= s.screenHeight) {
    s.backWidth = s.screenWidth - s.frameExtraWidth;
    s.backHeight = s.screenHeight - s.frameExtraHeight;
  }
  for (;;) {
    if (!displaySizeFor(stretch, &s.displayWidth, &s.displayHeight)) return false;
    const bool fits = s.displayWidth < s.screenWidth && s.displayHeight < s.screenHeight;
    if (fits || stretch == 0) break;
    stretch = 0;
  }
  s.stretch = stretch;

  s.fullScreen = 0;
  if (!createFrameworkWindow()) return false;
  if (!RK_chooseMode(RK_ModeDesktop)) return false;

  const RK_Platform *platform = RK_platform();
  s.windowWidth = s.displayWidth + s.frameExtraWidth;
  s.windowHeight = s.displayHeight + s.frameExtraHeight;
  if (platform && platform->placeWindow) {
    if (s.savedWindowX == -1 && s.savedWindowY == -1) {
      platform->placeWindow(s.window, 0, 0, s.windowWidth, s.windowHeight);
      centreWindow(s.window, nullptr);
      if (platform->windowPosition) platform->windowPosition(s.window, &s.savedWindowX, &s.savedWindowY);
    } else {
      platform->placeWindow(s.window, s.savedWindowX, s.savedWindowY, s.windowWidth, s.windowHeight);
    }
  }
  if (platform && platform->showWindow) platform->showWindow(s.window);

  DeviceContext *dc = RK_openWindowContext(s.window);
  if (!dc) return false;
  if (!setupDrawTargets(dc, 1)) return false;
  scalePointerToDrawTarget();
  RK_notifyActivation(dc, 1);
  s.inModeSet = 0;
  return true;
}

bool setupDrawTargets(DeviceContext *dc, int forceBackBuffer) {
  FrameworkState &s = frameworkState();
  s.displayDC = dc;
  if (forceBackBuffer == 0 && RK_lastPage(dc) != 0 && RK_contextFlags(dc) != 0) {
    s.drawDC = s.displayDC;
    s.backBufferDC = nullptr;
  } else {
    int bits = RK_pixelDepth(dc);
    PixelFormat format{};
    RK_pixelLayout(dc, &format);
    if (s.oldHost && !s.fullScreen) bits = 8;
    s.backBufferDC = RK_openMemoryContext(s.backWidth, s.backHeight, bits, &format);
    if (!s.backBufferDC) return false;
    s.drawDC = s.backBufferDC;
    RK_selectContext(s.backBufferDC);
  }
  if (RK_lastPage(s.displayDC) > 0) {
    s.activePage = 1;
    s.visualPage = 0;
    RK_drawToPage(s.displayDC, 1);
    RK_showPage(s.displayDC, 0, 0);
    RK_clearCurrent();
  }
  return true;
}
