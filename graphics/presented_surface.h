// Private to the display and windowed drivers: pages of pixels in memory
// that the display back end shows, with the palette last realised for them.
#pragma once

#include "graphics/rk_types.h"

struct PresentedSurface {
  int useCount;
  void *window;
  uint8_t *pixels;  // pageCount pages of pageBytes each
  int pageCount;
  int64_t pageBytes;
  int width, height, bytesPerLine, bits;
  int activePage, visualPage;
  bool fullScreen;
  PixelFormat format;
  PaletteEntry realized[256];
};

// Gives `dc` a surface of `pages` pages and the drivers' operations; on
// success the context is set up except for `kind` and `flags`.
bool RK_attachPresentedSurface(DeviceContext *dc, void *window, int width, int height, int bits, int pages,
                               bool fullScreen);

// Adds a user of `dc`'s surface (a further context on the same display).
PresentedSurface *RK_sharePresentedSurface(DeviceContext *dc);
