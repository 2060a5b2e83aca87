#include <algorithm>

#include "graphics/bitmap_blit_rules.h"
#include "graphics/image_pixels.h"
#include "graphics/rasterkit.h"

namespace {

int32_t clampToInt(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// 1-bit pictures go through the mono image operation, which takes whole
// rows; the visible part becomes the clip rectangle for the call so that
// neither the padding bits of a row nor clipped-off columns are drawn.
void drawMono(DeviceContext *c, const RK_Rect &visible, int x, int y, const Bitmap *bmp, int op) {
  if (!c->driver.putMonoImage) return;
  const ContextAttributes saved = c->attributes;
  c->attributes.writeMode = op;
  c->attributes.clip = visible;
  c->attributes.clipOn = 1;
  if (c->driver.setWriteMode) c->driver.setWriteMode(c, op);
  if (c->driver.setClip) c->driver.setClip(c, visible);
  const RK_Rect &vp = c->attributes.viewport;
  c->driver.putMonoImage(c, x + vp.left, y + vp.top, bmp->bytesPerLine, bmp->height, bmp->surface);
  c->attributes.writeMode = saved.writeMode;
  c->attributes.clip = saved.clip;
  c->attributes.clipOn = saved.clipOn;
  if (c->driver.setWriteMode) c->driver.setWriteMode(c, saved.writeMode);
  if (c->driver.setClip) c->driver.setClip(c, saved.clip);
}

}  // namespace

void RK_drawBitmapAt(DeviceContext *dc, int x, int y, const Bitmap *bmp, int op) {
  if (!dc || !bmp || !bmp->surface) return;
  DeviceContext *c = RK_resolveContext(dc);
  if (!c) return;
  RK_Rect r{x, y, clampToInt(int64_t(x) + bmp->width), clampToInt(int64_t(y) + bmp->height)};
  // Clipped to the clip rectangle when clipping is on, and never beyond the
  // surface when it is off.
  if (!rkimg::intersect(r, rkimg::drawableRectInViewport(c))) return;
  if (bmp->bitsPerPixel == 1) {
    drawMono(c, r, x, y, bmp, op);
    return;
  }
  const RK_Rect src{r.left - x, r.top - y, r.right - x, r.bottom - y};
  const int dstX = r.left + c->attributes.viewport.left, dstY = r.top + c->attributes.viewport.top;
  const PixelFormat none{};
  const PixelFormat &format = bmp->pixelFormat ? *bmp->pixelFormat : none;
  const uint32_t bmpMaxColor = bmp->bitsPerPixel <= 8 ? (1u << bmp->bitsPerPixel) - 1 : 0xFFFFFFu;
  if (rkblit::sameFormat(bmp->bitsPerPixel, bmp->palette, bmpMaxColor, format, c->bitsPerPixel, c->palette,
                         c->maxColor, c->pixelFormat)) {
    if (c->driver.putImage) c->driver.putImage(c, src, dstX, dstY, op, bmp->surface, bmp->bytesPerLine);
    return;
  }
  if (c->driver.putImageConvert)
    c->driver.putImageConvert(c, src, dstX, dstY, op, bmp->surface, bmp->bytesPerLine, bmp->bitsPerPixel,
                              bmp->palette, bmp->pixelFormat);
}
