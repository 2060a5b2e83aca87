#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "graphics/image_driver_ops.h"
#include "graphics/image_pixels.h"

namespace rkimg {
namespace {

// Destination extent of `length` source pixels under a 16.16 factor: the
// factor was truncated from destination / source, so round up.
int64_t scaledExtent(int64_t length, uint32_t factor) {
  return (length * int64_t(factor) + 0xFFFF) >> 16;
}

// Source pixels are read only inside the source surface; destination pixels
// are written only inside the destination's drawable area.
struct StretchPlan {
  RK_Rect src;     // source rectangle, inside the source surface
  RK_Rect dst;     // destination pixels to write, surface coordinates
  int dstX, dstY;  // where the source rectangle's corner lands
};

bool planStretch(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                 uint32_t factorX, uint32_t factorY, StretchPlan &plan) {
  if (!dst->surface || !src->surface || factorX == 0 || factorY == 0) return false;
  plan.src = srcRect;
  if (!intersect(plan.src, surfaceRect(src))) return false;
  // Cut-off source pixels move the destination by their scaled size.
  plan.dstX = int(dstX + scaledExtent(plan.src.left - srcRect.left, factorX));
  plan.dstY = int(dstY + scaledExtent(plan.src.top - srcRect.top, factorY));
  int64_t w = scaledExtent(plan.src.right - plan.src.left, factorX);
  int64_t h = scaledExtent(plan.src.bottom - plan.src.top, factorY);
  plan.dst = RK_Rect{plan.dstX, plan.dstY, int32_t(std::min<int64_t>(plan.dstX + w, INT32_MAX)),
                     int32_t(std::min<int64_t>(plan.dstY + h, INT32_MAX))};
  return intersect(plan.dst, drawableRect(dst));
}

// Maps destination offsets to source offsets under a factor, clamped to the
// source rectangle.
std::vector<int> sourceMap(int first, int count, uint32_t factor, int srcFirst, int srcCount) {
  std::vector<int> map(size_t(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    int64_t s = (int64_t(first + i) << 16) / factor;
    map[size_t(i)] = srcFirst + int(std::min<int64_t>(s, srcCount - 1));
  }
  return map;
}

void stretch(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
             uint32_t factorX, uint32_t factorY, const PaletteEntry *srcPalette, int palettesEqual) {
  StretchPlan plan;
  if (!planStretch(dst, src, srcRect, dstX, dstY, factorX, factorY, plan)) return;
  const int sw = plan.src.right - plan.src.left, sh = plan.src.bottom - plan.src.top;
  const int dw = plan.dst.right - plan.dst.left;
  std::vector<int> columns = sourceMap(plan.dst.left - plan.dstX, dw, factorX, plan.src.left, sw);
  const int sBits = src->bitsPerPixel, dBits = dst->bitsPerPixel;
  const bool untranslated =
      sBits == dBits &&
      (sBits == 8 ? palettesEqual != 0 : sBits > 8 && sameLayout(src->pixelFormat, dst->pixelFormat));
  std::optional<PixelTranslator> translate;
  if (!untranslated)
    translate.emplace(dst, sBits, sBits <= 8 ? (srcPalette ? srcPalette : src->palette) : nullptr,
                      &src->pixelFormat);
  int previousSource = -1;
  uint8_t *previousRow = nullptr;
  const int bpp = bytesPerPixel(dBits);
  for (int y = plan.dst.top; y < plan.dst.bottom; ++y) {
    int64_t sOff = (int64_t(y - plan.dstY) << 16) / factorY;
    int sy = plan.src.top + int(std::min<int64_t>(sOff, sh - 1));
    uint8_t *to = dst->surface + int64_t(y) * dst->bytesPerLine;
    if (sy == previousSource && bpp) {
      // A repeated source row gives the same destination row again.
      std::memcpy(to + int64_t(plan.dst.left) * bpp, previousRow + int64_t(plan.dst.left) * bpp,
                  size_t(dw) * bpp);
      continue;
    }
    const uint8_t *from = src->surface + int64_t(sy) * src->bytesPerLine;
    if (untranslated && dBits == 8) {
      uint8_t *d = to + plan.dst.left;
      for (int i = 0; i < dw; ++i) d[i] = from[columns[size_t(i)]];
    } else {
      for (int i = 0; i < dw; ++i) {
        uint32_t p = readPixel(from, columns[size_t(i)], sBits);
        writePixel(to, plan.dst.left + i, dBits, untranslated ? p : (*translate)(p), 0);
      }
    }
    previousSource = sy;
    previousRow = to;
  }
}

}  // namespace

void stretchDoubleRows(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                       const PaletteEntry *srcPalette, int palettesEqual) {
  stretch(dst, src, srcRect, dstX, dstY, 0x10000, 0x20000, srcPalette, palettesEqual);
}

void stretchDoubleBoth(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                       const PaletteEntry *srcPalette, int palettesEqual) {
  stretch(dst, src, srcRect, dstX, dstY, 0x20000, 0x20000, srcPalette, palettesEqual);
}

void stretchGeneral(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                    uint32_t factorX, uint32_t factorY, const PaletteEntry *srcPalette, int palettesEqual) {
  stretch(dst, src, srcRect, dstX, dstY, factorX, factorY, srcPalette, palettesEqual);
}

}  // namespace rkimg
