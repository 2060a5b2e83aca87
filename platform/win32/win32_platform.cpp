// The back end's table of operations, and what Windows tells about the
// desktop and the program.
#include "platform/win32/win32_platform.h"

#include "graphics/rk_platform.h"
#include "platform/common/desktop_modes.h"
#include "platform/common/ring_messages.h"
#include "platform/win32/win32_internal.h"

void *win32CreateWindow(const char *title, bool maximizeBox);
void win32DestroyWindow(void *window);
void win32PlaceWindow(void *window, int x, int y, int width, int height);
void win32WindowPosition(void *window, int *x, int *y);
void win32FrameExtra(void *window, int *width, int *height);
void win32ClientSize(void *window, int *width, int *height);
void win32ShowWindow(void *window);
bool win32EnterFullScreen(void *window, int width, int height, int bits);
void win32LeaveFullScreen(void *window);
bool win32EnterWindowed(void *window, int width, int height, int bits);
void win32Present(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                  const PaletteEntry *palette, const PixelFormat *format, int waitVRT);
void win32RealizePalette(void *window, const PaletteEntry *entries, int count, int first, int waitVRT);

namespace {

void desktopSize(int *width, int *height) {
  if (width) *width = GetSystemMetrics(SM_CXSCREEN);
  if (height) *height = GetSystemMetrics(SM_CYSCREEN);
}

bool hasDisplay() {
  int width = 0, height = 0;
  desktopSize(&width, &height);
  return width > 0 && height > 0 && GetDesktopWindow() != nullptr;
}

// Both families show every depth the conversion knows, at any size the
// desktop can hold, with two pages in memory.
bool servesMode(int family, int width, int height, int bits, int *pages) {
  return servesDesktopMode(family, width, height, bits, ShownDepths::AllConverted, desktopSize, pages);
}

uint32_t ticks() {
  return millisecondsSinceStart();
}

void sleepFor(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

int messageBox(const char *caption, const char *text, int kind) {
  return showMessageBox(caption, text, kind);
}

RK_Platform makePlatform() {
  RK_Platform p{};
  p.name = "win32";
  p.hasDisplay = hasDisplay;
  p.desktopSize = desktopSize;
  p.servesMode = servesMode;
  p.createWindow = win32CreateWindow;
  p.destroyWindow = win32DestroyWindow;
  p.placeWindow = win32PlaceWindow;
  p.windowPosition = win32WindowPosition;
  p.frameExtra = win32FrameExtra;
  p.showWindow = win32ShowWindow;
  p.enterFullScreen = win32EnterFullScreen;
  p.leaveFullScreen = win32LeaveFullScreen;
  p.enterWindowed = win32EnterWindowed;
  p.present = win32Present;
  p.realizePalette = win32RealizePalette;
  serveMessagesFromRing(p, pollMessages, pumpSystemQueue);
  p.messageBox = messageBox;
  p.ticks = ticks;
  p.microseconds = microsecondsSinceStart;
  p.sleep = sleepFor;
  p.clientSize = win32ClientSize;
  return p;
}

const RK_Platform win32Platform = makePlatform();

}  // namespace

void useWin32Platform() {
  RK_setPlatform(&win32Platform);
}
