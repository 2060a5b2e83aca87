#include "graphics/rk_image_ops.h"

#include <algorithm>
#include <cstring>

#include "graphics/image_driver_ops.h"
#include "graphics/image_pixels.h"

namespace {

using rkimg::readPixel;
using rkimg::writePixel;

// Clips the destination rectangle (dstX, dstY, w, h) to `limit` and moves
// the source rectangle along; false when nothing is left.
bool clipBlit(RK_Rect &src, int &dstX, int &dstY, const RK_Rect &limit) {
  int64_t w = int64_t(src.right) - src.left, h = int64_t(src.bottom) - src.top;
  if (w <= 0 || h <= 0) return false;
  int64_t x0 = dstX, y0 = dstY, x1 = x0 + w, y1 = y0 + h;
  int64_t cx0 = std::max<int64_t>(x0, limit.left), cy0 = std::max<int64_t>(y0, limit.top);
  int64_t cx1 = std::min<int64_t>(x1, limit.right), cy1 = std::min<int64_t>(y1, limit.bottom);
  if (cx1 <= cx0 || cy1 <= cy0) return false;
  src.left = int32_t(src.left + (cx0 - x0));
  src.top = int32_t(src.top + (cy0 - y0));
  src.right = int32_t(src.left + (cx1 - cx0));
  src.bottom = int32_t(src.top + (cy1 - cy0));
  dstX = int32_t(cx0);
  dstY = int32_t(cy0);
  return true;
}

void putMonoImage(DeviceContext *dc, int x, int y, int bytesPerLine, int height, const uint8_t *bits) {
  if (!dc->surface || !bits || bytesPerLine <= 0 || height <= 0) return;
  RK_Rect area{x, y, int32_t(std::min<int64_t>(int64_t(x) + int64_t(bytesPerLine) * 8, INT32_MAX)),
               int32_t(std::min<int64_t>(int64_t(y) + height, INT32_MAX))};
  if (!rkimg::intersect(area, rkimg::drawableRect(dc))) return;
  const uint32_t color = dc->attributes.color;
  const int op = dc->attributes.writeMode;
  const int depth = dc->bitsPerPixel;
  for (int sy = area.top; sy < area.bottom; ++sy) {
    const uint8_t *src = bits + int64_t(sy - y) * bytesPerLine;
    uint8_t *row = dc->surface + int64_t(sy) * dc->bytesPerLine;
    for (int sx = area.left; sx < area.right; ++sx) {
      int bx = sx - x;
      if (!((src[bx >> 3] << (bx & 7)) & 0x80)) continue;
      if (depth == 8 && op == 0)
        row[sx] = uint8_t(color);
      else
        writePixel(row, sx, depth, color, op);
    }
  }
}

void getImage(DeviceContext *dc, const RK_Rect &srcIn, uint8_t *dstPixels, int dstBytesPerLine, int dstX,
              int dstY) {
  if (!dc->surface || !dstPixels) return;
  RK_Rect src = srcIn;
  // Reading: keep the source inside the surface; the destination point
  // follows what was cut off.
  RK_Rect inside = src;
  if (!rkimg::intersect(inside, rkimg::surfaceRect(dc))) return;
  dstX += inside.left - src.left;
  dstY += inside.top - src.top;
  src = inside;
  const int depth = dc->bitsPerPixel;
  const int bpp = rkimg::bytesPerPixel(depth);
  for (int y = src.top; y < src.bottom; ++y) {
    const uint8_t *from = dc->surface + int64_t(y) * dc->bytesPerLine;
    uint8_t *to = dstPixels + int64_t(dstY + (y - src.top)) * dstBytesPerLine;
    if (bpp) {
      std::memcpy(to + int64_t(dstX) * bpp, from + int64_t(src.left) * bpp,
                  size_t(src.right - src.left) * bpp);
    } else {
      for (int x = src.left; x < src.right; ++x)
        writePixel(to, dstX + (x - src.left), depth, readPixel(from, x, depth), 0);
    }
  }
}

void putImage(DeviceContext *dc, const RK_Rect &srcIn, int dstX, int dstY, int op, const uint8_t *pixels,
              int bytesPerLine) {
  if (!dc->surface || !pixels) return;
  RK_Rect src = srcIn;
  if (!clipBlit(src, dstX, dstY, rkimg::drawableRect(dc))) return;
  const int depth = dc->bitsPerPixel;
  const int bpp = rkimg::bytesPerPixel(depth);
  const int w = src.right - src.left;
  for (int y = src.top; y < src.bottom; ++y) {
    const uint8_t *from = pixels + int64_t(y) * bytesPerLine;
    uint8_t *to = dc->surface + int64_t(dstY + (y - src.top)) * dc->bytesPerLine;
    if (bpp && op == 0) {
      std::memmove(to + int64_t(dstX) * bpp, from + int64_t(src.left) * bpp, size_t(w) * bpp);
    } else if (bpp) {
      // Bitwise write modes act on the bytes of same-format pixels alike.
      uint8_t *d = to + int64_t(dstX) * bpp;
      const uint8_t *s = from + int64_t(src.left) * bpp;
      for (int i = 0; i < w * bpp; ++i) d[i] = uint8_t(rkimg::combine(d[i], s[i], op));
    } else {
      for (int x = 0; x < w; ++x) writePixel(to, dstX + x, depth, readPixel(from, src.left + x, depth), op);
    }
  }
}

void putImageConvert(DeviceContext *dc, const RK_Rect &srcIn, int dstX, int dstY, int op,
                     const uint8_t *pixels, int bytesPerLine, int bitsPerPixel, const PaletteEntry *palette,
                     const PixelFormat *pixelFormat) {
  if (!dc->surface || !pixels) return;
  RK_Rect src = srcIn;
  if (!clipBlit(src, dstX, dstY, rkimg::drawableRect(dc))) return;
  rkimg::PixelTranslator translate(dc, bitsPerPixel, bitsPerPixel <= 8 ? palette : nullptr, pixelFormat);
  const int depth = dc->bitsPerPixel;
  const int w = src.right - src.left;
  for (int y = src.top; y < src.bottom; ++y) {
    const uint8_t *from = pixels + int64_t(y) * bytesPerLine;
    uint8_t *to = dc->surface + int64_t(dstY + (y - src.top)) * dc->bytesPerLine;
    for (int x = 0; x < w; ++x)
      writePixel(to, dstX + x, depth, translate(readPixel(from, src.left + x, bitsPerPixel)), op);
  }
}

// The copy order follows from the rectangles themselves, so overlapping
// areas come out right whatever the caller's direction flags say.
void copyWithin(DeviceContext *dc, const RK_Rect &srcIn, int dstX, int dstY, int, int) {
  if (!dc->surface) return;
  RK_Rect src = srcIn;
  RK_Rect inside = src;
  if (!rkimg::intersect(inside, rkimg::surfaceRect(dc))) return;
  dstX += inside.left - src.left;
  dstY += inside.top - src.top;
  src = inside;
  if (!clipBlit(src, dstX, dstY, rkimg::drawableRect(dc))) return;
  const int depth = dc->bitsPerPixel;
  const int bpp = rkimg::bytesPerPixel(depth);
  const int w = src.right - src.left, h = src.bottom - src.top;
  const bool topToBottom = src.top >= dstY, leftToRight = src.left >= dstX;
  for (int i = 0; i < h; ++i) {
    int r = topToBottom ? i : h - 1 - i;
    const uint8_t *from = dc->surface + int64_t(src.top + r) * dc->bytesPerLine;
    uint8_t *to = dc->surface + int64_t(dstY + r) * dc->bytesPerLine;
    if (bpp) {
      std::memmove(to + int64_t(dstX) * bpp, from + int64_t(src.left) * bpp, size_t(w) * bpp);
    } else {
      for (int j = 0; j < w; ++j) {
        int c = leftToRight ? j : w - 1 - j;
        writePixel(to, dstX + c, depth, readPixel(from, src.left + c, depth), 0);
      }
    }
  }
}

}  // namespace

void RK_installImageOperations(DriverTable &table) {
  table.putMonoImage = putMonoImage;
  table.getImage = getImage;
  table.putImage = putImage;
  table.putImageConvert = putImageConvert;
  table.copyWithin = copyWithin;
  table.stretchDoubleRows = rkimg::stretchDoubleRows;
  table.stretchDoubleBoth = rkimg::stretchDoubleBoth;
  table.stretchGeneral = rkimg::stretchGeneral;
  table.drawLine = rkimg::drawLine;
}
