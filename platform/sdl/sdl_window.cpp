// The back end's windows: creation, placement, full-screen and windowed
// output.
#include <algorithm>
#include <new>

#include "platform/common/ring_messages.h"
#include "platform/common/window_list.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sdl_platform.h"

namespace {

WindowList<SdlWindow> windows;
const uint32_t *iconPixels = nullptr;
int iconSize = 0;

void applyIcon(SDL_Window *window) {
  if (!iconPixels || iconSize <= 0) return;
  SDL_Surface *icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(iconPixels), iconSize, iconSize,
                                                         32, iconSize * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window, icon);  // SDL keeps a copy
  SDL_FreeSurface(icon);
}

SDL_Renderer *createRenderer(SDL_Window *window, bool *vsync) {
  SDL_Renderer *r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (r) {
    *vsync = true;
    return r;
  }
  *vsync = false;
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

}  // namespace

void setSdlWindowIcon(const uint32_t *argb, int size) {
  iconPixels = argb;
  iconSize = size;
}

SdlWindow *liveWindow(void *handle) {
  return windows.live(handle);
}

SdlWindow *windowForId(Uint32 id) {
  return windows.find([id](const SdlWindow &w) { return SDL_GetWindowID(w.window) == id; });
}

SdlWindow *anyLiveWindow() {
  return windows.first();
}

void *sdlCreateWindow(const char *title, bool maximizeBox) {
  if (!sdlVideoReady()) return nullptr;
  auto *w = new (std::nothrow) SdlWindow{};
  if (!w) return nullptr;
  // Only a resizable window offers the maximise control.
  const Uint32 flags = SDL_WINDOW_HIDDEN | (maximizeBox ? SDL_WINDOW_RESIZABLE : 0);
  w->window = SDL_CreateWindow(title ? title : "", 0, 0, 320, 200, flags);
  if (w->window) w->renderer = createRenderer(w->window, &w->vsync);
  if (!w->window || !w->renderer) {
    if (w->window) SDL_DestroyWindow(w->window);
    delete w;
    return nullptr;
  }
  applyIcon(w->window);
  w->maximizeBox = maximizeBox;
  w->clientWidth = 320;
  w->clientHeight = 200;
  windows.add(w);
  return w;
}

void sdlDestroyWindow(void *handle) {
  SdlWindow *w = liveWindow(handle);
  if (!w) return;
  windows.remove(w);
  platformMessageRing().dropWindow(w);
  if (w->texture) SDL_DestroyTexture(w->texture);
  SDL_DestroyRenderer(w->renderer);
  SDL_DestroyWindow(w->window);
  delete w;
}

void sdlPlaceWindow(void *handle, int x, int y, int width, int height) {
  SdlWindow *w = liveWindow(handle);
  if (!w || w->fullScreen) return;
  if (SDL_GetWindowFlags(w->window) & SDL_WINDOW_MAXIMIZED) SDL_RestoreWindow(w->window);
  w->clientWidth = std::max(width, 1);
  w->clientHeight = std::max(height, 1);
  SDL_SetWindowSize(w->window, w->clientWidth, w->clientHeight);
  SDL_SetWindowPosition(w->window, x, y);
}

void sdlWindowPosition(void *handle, int *x, int *y) {
  SdlWindow *w = liveWindow(handle);
  int px = 0, py = 0;
  if (w) SDL_GetWindowPosition(w->window, &px, &py);
  if (x) *x = px;
  if (y) *y = py;
}

// The window manager's frame lies outside what SDL positions and sizes, so
// the window and its client area are one here.
void sdlFrameExtra(void *, int *width, int *height) {
  if (width) *width = 0;
  if (height) *height = 0;
}

void sdlClientSize(void *handle, int *width, int *height) {
  SdlWindow *w = liveWindow(handle);
  int cw = 0, ch = 0;
  if (w && w->fullScreen) {
    SDL_GetWindowSize(w->window, &cw, &ch);
  } else if (w) {
    cw = w->clientWidth;
    ch = w->clientHeight;
  }
  if (width) *width = cw;
  if (height) *height = ch;
}

void sdlShowWindow(void *handle) {
  SdlWindow *w = liveWindow(handle);
  if (!w) return;
  SDL_ShowWindow(w->window);
  SDL_RaiseWindow(w->window);
}

bool sdlEnterFullScreen(void *handle, int width, int height, int) {
  SdlWindow *w = liveWindow(handle);
  if (!w) return false;
  if (!w->fullScreen) {
    // Without a window manager nobody resizes a full-screen window: have it
    // cover its display already.
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(w->window), 0), &bounds) == 0) {
      SDL_SetWindowPosition(w->window, bounds.x, bounds.y);
      SDL_SetWindowSize(w->window, bounds.w, bounds.h);
    }
    // The desktop keeps its own mode; the picture is scaled onto it.
    if (SDL_SetWindowFullscreen(w->window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
  }
  w->fullScreen = true;
  w->runningInBackground = false;
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->hasPicture = false;
  SDL_ShowWindow(w->window);
  SDL_RaiseWindow(w->window);
  redrawWindow(w);
  return true;
}

void sdlLeaveFullScreen(void *handle) {
  SdlWindow *w = liveWindow(handle);
  if (!w || !w->fullScreen) return;
  SDL_SetWindowFullscreen(w->window, 0);
  w->fullScreen = false;
  w->runningInBackground = false;
}

bool sdlEnterWindowed(void *handle, int width, int height, int) {
  SdlWindow *w = liveWindow(handle);
  if (!w) return false;
  sdlLeaveFullScreen(handle);
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->hasPicture = false;
  redrawWindow(w);
  return true;
}
