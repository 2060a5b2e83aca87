// The back end's table of operations, and what SDL tells about the desktop.
#include "platform/sdl/sdl_platform.h"

#include "graphics/rk_platform.h"
#include "platform/common/counter_clock.h"
#include "platform/common/desktop_modes.h"
#include "platform/common/ring_messages.h"
#include "platform/sdl/sdl_internal.h"

void *sdlCreateWindow(const char *title, bool maximizeBox);
void sdlDestroyWindow(void *window);
void sdlPlaceWindow(void *window, int x, int y, int width, int height);
void sdlWindowPosition(void *window, int *x, int *y);
void sdlFrameExtra(void *window, int *width, int *height);
void sdlClientSize(void *window, int *width, int *height);
void sdlShowWindow(void *window);
bool sdlEnterFullScreen(void *window, int width, int height, int bits);
void sdlLeaveFullScreen(void *window);
bool sdlEnterWindowed(void *window, int width, int height, int bits);
void sdlPresent(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                const PaletteEntry *palette, const PixelFormat *format, int waitVRT);
void sdlRealizePalette(void *window, const PaletteEntry *entries, int count, int first, int waitVRT);

namespace {

bool hasDisplay() {
  return sdlVideoReady();
}

void desktopSize(int *width, int *height) {
  SDL_DisplayMode mode{};
  if (!sdlVideoReady() || SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = mode.h = 0;
  if (width) *width = mode.w;
  if (height) *height = mode.h;
}

// Both families show every depth the conversion knows, at any size the
// desktop can hold, with two pages in memory.
bool servesMode(int family, int width, int height, int bits, int *pages) {
  return servesDesktopMode(family, width, height, bits, ShownDepths::AllConverted, desktopSize, pages);
}

uint32_t ticks() {
  return SDL_GetTicks();
}

int64_t performanceCounter() {
  return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

uint64_t microseconds() {
  static const CounterClock clock(performanceCounter, static_cast<int64_t>(SDL_GetPerformanceFrequency()));
  return clock.microseconds();
}

void sleepFor(int milliseconds) {
  if (milliseconds > 0) SDL_Delay(static_cast<Uint32>(milliseconds));
}

int messageBox(const char *caption, const char *text, int kind) {
  if (!sdlVideoReady()) return kind == RK_BoxYesNoQuestion ? RK_AnswerNo : RK_AnswerOk;
  return showMessageBox(caption, text, kind);
}

RK_Platform makePlatform() {
  RK_Platform p{};
  p.name = "sdl";
  p.hasDisplay = hasDisplay;
  p.desktopSize = desktopSize;
  p.servesMode = servesMode;
  p.createWindow = sdlCreateWindow;
  p.destroyWindow = sdlDestroyWindow;
  p.placeWindow = sdlPlaceWindow;
  p.windowPosition = sdlWindowPosition;
  p.frameExtra = sdlFrameExtra;
  p.showWindow = sdlShowWindow;
  p.enterFullScreen = sdlEnterFullScreen;
  p.leaveFullScreen = sdlLeaveFullScreen;
  p.enterWindowed = sdlEnterWindowed;
  p.present = sdlPresent;
  p.realizePalette = sdlRealizePalette;
  serveMessagesFromRing(p, pollSdlEvents, nullptr);
  p.messageBox = messageBox;
  p.ticks = ticks;
  p.microseconds = microseconds;
  p.sleep = sleepFor;
  p.clientSize = sdlClientSize;
  return p;
}

const RK_Platform sdlPlatform = makePlatform();

}  // namespace

void useSdlPlatform() {
  RK_setPlatform(&sdlPlatform);
}
