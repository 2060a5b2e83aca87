#include <algorithm>

#include "graphics/bitmap_blit_rules.h"
#include "graphics/image_pixels.h"
#include "graphics/rasterkit.h"

namespace {

constexpr int kErrInvalidDevice = -16;
constexpr uint32_t kOne = 0x10000, kTwo = 0x20000;

uint32_t factor(int64_t dstLength, int64_t srcLength) {
  if (dstLength == srcLength) return kOne;
  if (dstLength == 2 * srcLength) return kTwo;
  return uint32_t(std::min<int64_t>((dstLength * 65536) / srcLength, UINT32_MAX));
}

}  // namespace

void RK_stretchArea(DeviceContext *dst, DeviceContext *src, int left, int top, int right, int bottom,
                    int dstLeft, int dstTop, int dstRight, int dstBottom) {
  if (!dst || !src) return;
  DeviceContext *s = RK_resolveContext(src);
  DeviceContext *d = RK_resolveContext(dst);
  if (!s || !d) return;
  if (s == d || s->bitsPerPixel < 8) {
    RK_setLastError(kErrInvalidDevice);
    return;
  }
  const int64_t sw = int64_t(right) - left, sh = int64_t(bottom) - top;
  const int64_t dw = int64_t(dstRight) - dstLeft, dh = int64_t(dstBottom) - dstTop;
  // Empty or inverted rectangles stretch nothing (and must not divide by 0).
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const uint32_t fx = factor(dw, sw), fy = factor(dh, sh);
  if (fx == 0 || fy == 0) return;
  if (fx == kOne && fy == kOne) {
    RK_copyArea(dst, src, left, top, right, bottom, dstLeft, dstTop, 0);
    return;
  }
  // Source clip: the destination moves by the scaled amount cut off; the
  // driver clips the destination itself, pixel by pixel.
  int64_t l = left, t = top, r = right, b = bottom, dx = dstLeft, dy = dstTop;
  const RK_Rect sc = rkimg::drawableRectInViewport(s);
  if (l < sc.left) {
    dx += ((sc.left - l) * int64_t(fx)) >> 16;
    l = sc.left;
  }
  if (t < sc.top) {
    dy += ((sc.top - t) * int64_t(fy)) >> 16;
    t = sc.top;
  }
  r = std::min<int64_t>(r, sc.right);
  b = std::min<int64_t>(b, sc.bottom);
  if (r <= l || b <= t) return;
  RK_Rect dstArea{
      int32_t(std::clamp<int64_t>(dx, INT32_MIN, INT32_MAX)),
      int32_t(std::clamp<int64_t>(dy, INT32_MIN, INT32_MAX)),
      int32_t(std::clamp<int64_t>(dx + (((r - l) * int64_t(fx) + 0xFFFF) >> 16), INT32_MIN, INT32_MAX)),
      int32_t(std::clamp<int64_t>(dy + (((b - t) * int64_t(fy) + 0xFFFF) >> 16), INT32_MIN, INT32_MAX))};
  if (!rkimg::intersect(dstArea, rkimg::drawableRectInViewport(d))) return;

  int equal = 0;
  if (s->bitsPerPixel == 8 && d->bitsPerPixel == 8) {
    int count = std::min(rkblit::comparedEntries(8, s->maxColor), rkblit::comparedEntries(8, d->maxColor));
    equal = !rkblit::paletteCheck() || rkimg::palettesEqual(s->palette, d->palette, count);
  }
  const RK_Rect &sv = s->attributes.viewport;
  const RK_Rect &dv = d->attributes.viewport;
  const RK_Rect rect{int32_t(l + sv.left), int32_t(t + sv.top), int32_t(r + sv.left), int32_t(b + sv.top)};
  const int px = int(dx + dv.left), py = int(dy + dv.top);
  if (fy == kTwo && fx == kOne) {
    if (d->driver.stretchDoubleRows) d->driver.stretchDoubleRows(d, s, rect, px, py, s->palette, equal);
  } else if (fy == kTwo && fx == kTwo) {
    if (d->driver.stretchDoubleBoth) d->driver.stretchDoubleBoth(d, s, rect, px, py, s->palette, equal);
  } else if (d->driver.stretchGeneral) {
    d->driver.stretchGeneral(d, s, rect, px, py, fx, fy, s->palette, equal);
  }
}
