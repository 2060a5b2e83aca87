// Presenting a page: convert it to RGBA, hand it to the page's canvas, and
// for a retrace wait give control back to the browser until the next tick
// of the 60 Hz clock.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <vector>

#include "platform/common/page_pixels.h"
#include "platform/common/picture_fit.h"
#include "platform/common/retrace_beat.h"
#include "platform/web/core/web_picture.h"
#include "platform/web/web_internal.h"

EM_JS(void, kelvaroShowPicture, (const uint8_t *rgba, int width, int height),
      { kelvaroPage.showPicture(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height); });

EM_JS(void, kelvaroAreaSize, (int *width, int *height), {
  const size = kelvaroPage.areaSize();
  HEAP32[width >> 2] = size[0];
  HEAP32[height >> 2] = size[1];
});
EM_JS(void, kelvaroPlaceCanvas, (int x, int y, int width, int height),
      { kelvaroPage.placeCanvas(x, y, width, height); });

// Resolves at the browser's next frame, or after a tenth of a second when
// the browser shows no frames (a hidden tab), with the clock's reading.
EM_ASYNC_JS(double, kelvaroNextFrame, (), { return await kelvaroPage.nextFrame(); });

namespace {

std::vector<uint8_t> rgba;
int shownWidth = 0, shownHeight = 0;
// The page clock in microseconds.
RetraceBeat pace{1000000};
double lastYield = 0.0;

}  // namespace

// The page calls this when its picture area changes size; the picture
// itself calls it when its size changes.
extern "C" EMSCRIPTEN_KEEPALIVE void kelvaroPlacePicture() {
  int areaWidth = 0, areaHeight = 0;
  kelvaroAreaSize(&areaWidth, &areaHeight);
  const PictureArea a = fitPicture(areaWidth, areaHeight, shownWidth, shownHeight);
  if (a.width > 0) kelvaroPlaceCanvas(a.x, a.y, a.width, a.height);
}

void waitForRetrace() {
  while (!pace.reached(static_cast<int64_t>(kelvaroNextFrame() * 1000.0))) {
  }
  lastYield = pageNowMs();
}

void yieldToBrowser() {
  kelvaroNextFrame();
  lastYield = pageNowMs();
}

double lastYieldMs() {
  return lastYield;
}

void webPresent(void *handle, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                const PaletteEntry *palette, const PixelFormat *, int waitVRT) {
  WebWindow *w = liveWebWindow(handle);
  if (!w || !pixels || width <= 0 || height <= 0 || bits != 8) return;
  rgba.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  if (!convertToRgba(pixels, width, height, bytesPerLine, palette ? palette : w->realized, rgba.data())) return;
  shownWidth = width;
  shownHeight = height;
  kelvaroShowPicture(rgba.data(), width, height);
  if (waitVRT != 0) waitForRetrace();
}

void webRealizePalette(void *handle, const PaletteEntry *entries, int count, int first, int) {
  if (WebWindow *w = liveWebWindow(handle)) storePalette(w->realized, entries, count, first);
}
