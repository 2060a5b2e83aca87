// The surface behind full-screen and windowed contexts. Pages live in
// memory; showing one hands its pixels and the realised palette to the
// display back end.
#include "graphics/presented_surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "graphics/rk_core_internal.h"
#include "graphics/rk_image_ops.h"

namespace {

PresentedSurface *stateOf(DeviceContext *dc) {
  return static_cast<PresentedSurface *>(dc->driverState);
}

void release(DeviceContext *dc) {
  PresentedSurface *s = stateOf(dc);
  dc->driverState = nullptr;
  dc->surface = nullptr;
  if (!s || --s->useCount > 0) return;
  std::free(s->pixels);
  delete s;
}

const PaletteEntry *hardwarePalette(DeviceContext *dc) {
  PresentedSurface *s = stateOf(dc);
  return s ? s->realized : nullptr;
}

void realizePalette(DeviceContext *dc, const PaletteEntry *entries, int count, int first, int waitVRT) {
  PresentedSurface *s = stateOf(dc);
  if (!s || !entries) return;
  const int begin = std::max(first, 0);
  const int end = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(first) + count, 256));
  for (int i = begin; i < end; ++i) {
    s->realized[i] = entries[i];
    s->realized[i].reserved = 0;
  }
  // The whole table goes to the back end, so it never depends on how a
  // partial range would be addressed.
  const RK_Platform *p = RK_platform();
  if (p && p->realizePalette) p->realizePalette(s->window, s->realized, 256, 0, waitVRT);
}

uint8_t *pageStart(PresentedSurface *s, int page) {
  return s->pixels + s->pageBytes * page;
}

void setActivePage(DeviceContext *dc, int page) {
  PresentedSurface *s = stateOf(dc);
  if (!s || page < 0 || page >= s->pageCount) return;
  s->activePage = page;
  dc->activePageNo = page;
  dc->surface = pageStart(s, page);
}

void setVisualPage(DeviceContext *dc, int page, int waitVRT) {
  PresentedSurface *s = stateOf(dc);
  if (!s || page < 0 || page >= s->pageCount) return;
  s->visualPage = page;
  dc->visualPageNo = page;
  const RK_Platform *p = RK_platform();
  if (!p || !p->present) return;
  p->present(s->window, pageStart(s, page), s->width, s->height, s->bytesPerLine, s->bits, s->realized,
             &s->format, waitVRT);
}

}  // namespace

bool RK_attachPresentedSurface(DeviceContext *dc, void *window, int width, int height, int bits, int pages,
                               bool fullScreen) {
  if (width < 1 || height < 1 || pages < 1) return false;
  const int64_t row = RK_packedRowBytes(width, bits);
  const int64_t pageBytes = row * height;
  if (pageBytes * pages > (int64_t{1} << 31)) return false;
  auto *s = new (std::nothrow) PresentedSurface{};
  if (!s) return false;
  s->pixels = static_cast<uint8_t *>(std::calloc(static_cast<size_t>(pageBytes * pages), 1));
  if (!s->pixels) {
    delete s;
    return false;
  }
  s->useCount = 1;
  s->window = window;
  s->pageCount = pages;
  s->pageBytes = pageBytes;
  s->width = width;
  s->height = height;
  s->bytesPerLine = static_cast<int>(row);
  s->bits = bits;
  s->fullScreen = fullScreen;
  s->format = bits > 8 ? RK_defaultPixelFormat(bits) : PixelFormat{};

  dc->driverState = s;
  dc->surface = s->pixels;
  dc->maxX = width - 1;
  dc->maxY = height - 1;
  dc->bitsPerPixel = bits;
  dc->planes = 1;
  dc->maxColor = RK_maxColorOfDepth(bits);
  dc->maxPage = pages - 1;
  dc->bytesPerLine = s->bytesPerLine;
  dc->pixelFormat = s->format;
  RK_describeChannels(dc);
  dc->activePageNo = dc->visualPageNo = 0;
  dc->platformWindow = window;
  dc->accessDepth = -1;
  dc->driver = DriverTable{};
  dc->driver.release = release;
  dc->driver.hardwarePalette = hardwarePalette;
  dc->driver.realizePalette = realizePalette;
  dc->driver.setActivePage = setActivePage;
  dc->driver.setVisualPage = setVisualPage;
  RK_installPackedAttributeOps(dc->driver);
  RK_installImageOperations(dc->driver);
  return true;
}

// A further context on the same display shares its pages (and their use
// count) but keeps its own palette and attributes.
PresentedSurface *RK_sharePresentedSurface(DeviceContext *dc) {
  PresentedSurface *s = stateOf(dc);
  if (s) ++s->useCount;
  return s;
}
