// Presenting a page: convert it to ARGB in a streaming texture and show it
// scaled by a whole factor, centred on black.
#include <algorithm>
#include <cstring>

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

// The game's speeds are per frame, tuned for a display of 60 frames a
// second. Waiting for the retrace therefore also waits for the next tick of a
// steady 60 Hz clock: without real vertical sync (a software renderer, a
// virtual display) the game would otherwise race, and on a faster display it
// would play faster.
void waitForRetraceTick() {
  static const Uint64 frequency = SDL_GetPerformanceFrequency();
  static const Uint64 period = frequency / 60;
  static Uint64 nextTick = 0;
  Uint64 now = SDL_GetPerformanceCounter();
  if (nextTick == 0 || now > nextTick + period) nextTick = now;
  while (now < nextTick) {
    const Uint64 remainingMs = (nextTick - now) * 1000 / frequency;
    if (remainingMs > 1) SDL_Delay(static_cast<Uint32>(remainingMs - 1));
    now = SDL_GetPerformanceCounter();
  }
  nextTick += period;
}

void setVsync(SdlWindow *w, bool on) {
  if (w->vsync == on) return;
  // A renderer that cannot change it keeps what it has.
  if (SDL_RenderSetVSync(w->renderer, on ? 1 : 0) == 0) w->vsync = on;
}

}  // namespace

PicturePlacement windowPlacement(SdlWindow *w) {
  int width = 0, height = 0;
  SDL_GetWindowSize(w->window, &width, &height);
  return placePicture(width, height, w->pictureWidth, w->pictureHeight);
}

void redrawWindow(SdlWindow *w) {
  SDL_SetRenderDrawColor(w->renderer, 0, 0, 0, 255);
  SDL_RenderClear(w->renderer);
  if (w->hasPicture && w->texture) {
    int outWidth = 0, outHeight = 0;
    SDL_GetRendererOutputSize(w->renderer, &outWidth, &outHeight);
    const PicturePlacement p = placePicture(outWidth, outHeight, w->textureWidth, w->textureHeight);
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
  SdlWindow *w = liveWindow(handle);
  if (!w || !entries) return;
  const int begin = std::max(first, 0);
  const int end = static_cast<int>(std::min<int64_t>(int64_t{first} + count, 256));
  for (int i = begin; i < end; ++i) {
    w->realized[i] = entries[i];
    w->realized[i].reserved = 0;
  }
}
