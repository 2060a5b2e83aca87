// The back end's table of operations, the desktop and the clock.
#include "platform/web/web_platform.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "graphics/rk_platform.h"
#include "platform/common/desktop_modes.h"
#include "platform/common/ring_messages.h"
#include "platform/web/web_internal.h"

void *webCreateWindow(const char *title, bool maximizeBox);
void webDestroyWindow(void *window);
void webPlaceWindow(void *window, int x, int y, int width, int height);
void webWindowPosition(void *window, int *x, int *y);
void webFrameExtra(void *window, int *width, int *height);
void webClientSize(void *window, int *width, int *height);
void webShowWindow(void *window);
bool webEnterFullScreen(void *window, int width, int height, int bits);
void webLeaveFullScreen(void *window);
bool webEnterWindowed(void *window, int width, int height, int bits);
void webPresent(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                const PaletteEntry *palette, const PixelFormat *format, int waitVRT);
void webRealizePalette(void *window, const PaletteEntry *entries, int count, int first, int waitVRT);
void webRefillMessages();
int webMessageBox(const char *caption, const char *text, int kind);

EM_JS(int, kelvaroScreenWidth, (), { return (typeof screen == 'object' && screen.width) | 0; });
EM_JS(int, kelvaroScreenHeight, (), { return (typeof screen == 'object' && screen.height) | 0; });

namespace {

const double startMs = emscripten_get_now();

bool hasDisplay() {
  return true;
}

// The screen, but never smaller than the largest game: the page scales
// the picture down to fit a small one.
void desktopSize(int *width, int *height) {
  const int w = kelvaroScreenWidth(), h = kelvaroScreenHeight();
  if (width) *width = w < 640 ? 640 : w;
  if (height) *height = h < 480 ? 480 : h;
}

// The canvas shows 8-bit pages through a palette, any size the desktop
// holds, two pages in memory.
bool servesMode(int family, int width, int height, int bits, int *pages) {
  return servesDesktopMode(family, width, height, bits, ShownDepths::PalettedOnly, desktopSize, pages);
}

uint32_t ticks() {
  return static_cast<uint32_t>(pageNowMs());
}

// The page's clock has sub-millisecond steps (coarsened by the browser, but
// far finer than a frame's drawing time).
uint64_t microseconds() {
  return static_cast<uint64_t>(pageNowMs() * 1000.0);
}

void sleepFor(int milliseconds) {
  if (milliseconds > 0) emscripten_sleep(static_cast<unsigned>(milliseconds));
}

RK_Platform makePlatform() {
  RK_Platform p{};
  p.name = "web";
  p.hasDisplay = hasDisplay;
  p.desktopSize = desktopSize;
  p.servesMode = servesMode;
  p.createWindow = webCreateWindow;
  p.destroyWindow = webDestroyWindow;
  p.placeWindow = webPlaceWindow;
  p.windowPosition = webWindowPosition;
  p.frameExtra = webFrameExtra;
  p.showWindow = webShowWindow;
  p.enterFullScreen = webEnterFullScreen;
  p.leaveFullScreen = webLeaveFullScreen;
  p.enterWindowed = webEnterWindowed;
  p.present = webPresent;
  p.realizePalette = webRealizePalette;
  serveMessagesFromRing(p, webRefillMessages, nullptr);
  p.messageBox = webMessageBox;
  p.ticks = ticks;
  p.microseconds = microseconds;
  p.sleep = sleepFor;
  p.clientSize = webClientSize;
  return p;
}

const RK_Platform webPlatform = makePlatform();

}  // namespace

double pageNowMs() {
  return emscripten_get_now() - startMs;
}

void useWebPlatform() {
  RK_setPlatform(&webPlatform);
  listenToPage();
}
