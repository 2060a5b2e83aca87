#include <algorithm>

#include "graphics/bitmap_blit_rules.h"
#include "graphics/image_pixels.h"
#include "graphics/rasterkit.h"

namespace {

constexpr int kErrInvalidDevice = -16;

bool sameFormat(const DeviceContext *a, const DeviceContext *b) {
  return rkblit::sameFormat(a->bitsPerPixel, a->palette, a->maxColor, a->pixelFormat, b->bitsPerPixel,
                            b->palette, b->maxColor, b->pixelFormat);
}

}  // namespace

void RK_copyArea(DeviceContext *dst, DeviceContext *src, int left, int top, int right, int bottom, int dstX,
                 int dstY, int op) {
  if (!dst || !src) return;
  if (src->bitsPerPixel == 1) {
    RK_setLastError(kErrInvalidDevice);
    return;
  }
  DeviceContext *s = RK_resolveContext(src);
  DeviceContext *d = RK_resolveContext(dst);
  if (!s || !d) return;

  // Work in 64 bits in the source's and destination's viewport coordinates.
  int64_t l = left, t = top, r = right, b = bottom, dx = dstX, dy = dstY;
  const RK_Rect sc = rkimg::drawableRectInViewport(s);
  if (l < sc.left) {
    dx += sc.left - l;
    l = sc.left;
  }
  if (t < sc.top) {
    dy += sc.top - t;
    t = sc.top;
  }
  r = std::min<int64_t>(r, sc.right);
  b = std::min<int64_t>(b, sc.bottom);
  if (r <= l || b <= t) return;
  const RK_Rect dc = rkimg::drawableRectInViewport(d);
  if (dx < dc.left) {
    l += dc.left - dx;
    dx = dc.left;
  }
  if (dy < dc.top) {
    t += dc.top - dy;
    dy = dc.top;
  }
  r = std::min<int64_t>(r, l + (dc.right - dx));
  b = std::min<int64_t>(b, t + (dc.bottom - dy));
  if (r <= l || b <= t) return;

  const RK_Rect &sv = s->attributes.viewport;
  const RK_Rect &dv = d->attributes.viewport;
  const RK_Rect rect{int32_t(l + sv.left), int32_t(t + sv.top), int32_t(r + sv.left), int32_t(b + sv.top)};
  const int px = int(dx + dv.left), py = int(dy + dv.top);

  if (s == d) {
    if (d->driver.copyWithin) d->driver.copyWithin(d, rect, px, py, rect.left >= px, rect.top >= py);
    return;
  }
  const bool sourceIsMemory = s->kind == RK_KindMemory;
  const bool same = sameFormat(s, d);
  if (sourceIsMemory && same) {
    if (d->driver.putImage) d->driver.putImage(d, rect, px, py, op, s->surface, s->bytesPerLine);
    return;
  }
  if (!sourceIsMemory) {
    if (d->kind != RK_KindMemory) {
      RK_setLastError(kErrInvalidDevice);
      return;
    }
    if (same) {
      if (s->driver.getImage) s->driver.getImage(s, rect, d->surface, d->bytesPerLine, px, py);
      return;
    }
  }
  if (d->driver.putImageConvert)
    d->driver.putImageConvert(d, rect, px, py, op, s->surface, s->bytesPerLine, s->bitsPerPixel,
                              s->bitsPerPixel <= 8 ? s->palette : nullptr, &s->pixelFormat);
}
