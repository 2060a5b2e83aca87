// Presenting a page: convert it to ARGB in a streaming texture and show it
// scaled by a whole factor, centred on black.
#include "platform/common/page_pixels.h"
#include "platform/common/retrace_beat.h"
#include "platform/sdl/sdl_internal.h"

namespace {

bool ensureTexture(SdlWindow *w, int width, int height) {
  if (w->texture && w->textureWidth == width && w->textureHeight == height) return true;
  if (w->texture) SDL_DestroyTexture(w->texture);
  w->texture =
      SDL_CreateTexture(w->renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (!w->texture) {
    w->textureWidth = w->textureHeight = 0;
    return false;
  }
  SDL_SetTextureScaleMode(w->texture, SDL_ScaleModeNearest);
  w->textureWidth = width;
  w->textureHeight = height;
  return true;
}

int64_t counterNow() {
  return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

// The last millisecond is spent polling the counter: SDL_Delay may oversleep.
void sleepMost(int64_t millisecondsLeft) {
  if (millisecondsLeft > 1) SDL_Delay(static_cast<Uint32>(millisecondsLeft - 1));
}

// Waiting for the retrace also waits for the next beat of a steady 60 Hz
// clock, whether or not the renderer has a vertical sync.
void waitForRetraceTick() {
  static RetraceBeat beat(static_cast<int64_t>(SDL_GetPerformanceFrequency()));
  beat.wait(counterNow, sleepMost);
}

void setVsync(SdlWindow *w, bool on) {
  if (w->vsync == on) return;
  // A renderer that cannot change it keeps what it has.
  if (SDL_RenderSetVSync(w->renderer, on ? 1 : 0) == 0) w->vsync = on;
}

}  // namespace

PictureArea windowPlacement(SdlWindow *w) {
  int width = 0, height = 0;
  SDL_GetWindowSize(w->window, &width, &height);
  return fitPicture(width, height, w->pictureWidth, w->pictureHeight);
}

void redrawWindow(SdlWindow *w) {
  SDL_SetRenderDrawColor(w->renderer, 0, 0, 0, 255);
  SDL_RenderClear(w->renderer);
  if (w->hasPicture && w->texture) {
    int outWidth = 0, outHeight = 0;
    SDL_GetRendererOutputSize(w->renderer, &outWidth, &outHeight);
    const PictureArea p = fitPicture(outWidth, outHeight, w->textureWidth, w->textureHeight);
    const SDL_Rect target{p.x, p.y, p.width, p.height};
    SDL_RenderCopy(w->renderer, w->texture, nullptr, &target);
  }
  SDL_RenderPresent(w->renderer);
}

void sdlPresent(void *handle, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                const PaletteEntry *palette, const PixelFormat *format, int waitVRT) {
  SdlWindow *w = liveWindow(handle);
  if (!w || !pixels || width <= 0 || height <= 0) return;
  if (!ensureTexture(w, width, height)) return;
  void *target = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(w->texture, nullptr, &target, &pitch) != 0) return;
  const bool converted =
      convertToArgb(pixels, width, height, bytesPerLine, bits, palette ? palette : w->realized, format,
                    static_cast<uint8_t *>(target), pitch);
  SDL_UnlockTexture(w->texture);
  if (!converted) return;
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->hasPicture = true;
  setVsync(w, waitVRT != 0);
  redrawWindow(w);
  if (waitVRT != 0) waitForRetraceTick();
}

void sdlRealizePalette(void *handle, const PaletteEntry *entries, int count, int first, int) {
  if (SdlWindow *w = liveWindow(handle)) storePalette(w->realized, entries, count, first);
}
