#include "graphics/image_pixels.h"

#include <algorithm>
#include <cstring>

namespace rkimg {

bool intersect(RK_Rect &a, const RK_Rect &b) {
  a.left = std::max(a.left, b.left);
  a.top = std::max(a.top, b.top);
  a.right = std::min(a.right, b.right);
  a.bottom = std::min(a.bottom, b.bottom);
  return !isEmpty(a);
}

RK_Rect surfaceRect(const DeviceContext *dc) {
  return RK_Rect{0, 0, dc->maxX + 1, dc->maxY + 1};
}

RK_Rect drawableRect(const DeviceContext *dc) {
  RK_Rect r = surfaceRect(dc);
  if (dc->attributes.clipOn) {
    const RK_Rect &c = dc->attributes.clip;
    const RK_Rect &v = dc->attributes.viewport;
    // 64-bit so that a clip rectangle near the integer limits cannot wrap.
    auto shift = [](int32_t a, int32_t b) {
      int64_t s = int64_t(a) + b;
      return int32_t(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
    };
    RK_Rect moved{shift(c.left, v.left), shift(c.top, v.top), shift(c.right, v.left), shift(c.bottom, v.top)};
    intersect(r, moved);
  }
  return r;
}

RK_Rect drawableRectInViewport(const DeviceContext *dc) {
  RK_Rect r = drawableRect(dc);
  const RK_Rect &v = dc->attributes.viewport;
  return RK_Rect{r.left - v.left, r.top - v.top, r.right - v.left, r.bottom - v.top};
}

bool palettesEqual(const PaletteEntry *a, const PaletteEntry *b, int count) {
  if (!a || !b) return false;
  return count <= 0 || std::memcmp(a, b, size_t(count) * sizeof(PaletteEntry)) == 0;
}

int nearestColor(const PaletteEntry *palette, int count, int red, int green, int blue) {
  if (!palette || count <= 0) return 0;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < count; ++i) {
    long dr = palette[i].red - red, dg = palette[i].green - green, db = palette[i].blue - blue;
    long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

void unpack(const PixelFormat &pf, uint32_t pixel, int *red, int *green, int *blue) {
  auto channel = [pixel](int32_t mask, int32_t pos, int32_t adjust) {
    if (pos < 0 || pos > 31 || adjust < 0 || adjust > 31) return 0;
    return int(((pixel >> pos) & uint32_t(mask)) << adjust) & 0xFF;
  };
  *red = channel(pf.redMask, pf.redPos, pf.redAdjust);
  *green = channel(pf.greenMask, pf.greenPos, pf.greenAdjust);
  *blue = channel(pf.blueMask, pf.bluePos, pf.blueAdjust);
}

uint32_t pack(const PixelFormat &pf, int red, int green, int blue) {
  auto channel = [](int value, int32_t mask, int32_t pos, int32_t adjust) {
    if (pos < 0 || pos > 31 || adjust < 0 || adjust > 31) return 0u;
    return ((uint32_t(value) >> adjust) & uint32_t(mask)) << pos;
  };
  return channel(red, pf.redMask, pf.redPos, pf.redAdjust) |
         channel(green, pf.greenMask, pf.greenPos, pf.greenAdjust) |
         channel(blue, pf.blueMask, pf.bluePos, pf.blueAdjust);
}

bool sameLayout(const PixelFormat &a, const PixelFormat &b) {
  return a.redMask == b.redMask && a.greenMask == b.greenMask && a.blueMask == b.blueMask &&
         a.redPos == b.redPos && a.greenPos == b.greenPos && a.bluePos == b.bluePos &&
         a.redAdjust == b.redAdjust && a.greenAdjust == b.greenAdjust && a.blueAdjust == b.blueAdjust;
}

static bool isPaletteContext(const DeviceContext *dc) {
  return dc->maxColor < 256 && dc->bitsPerPixel <= 8;
}

static int paletteCount(const DeviceContext *dc) {
  return int(std::min<uint32_t>(dc->maxColor, 255u)) + 1;
}

PixelTranslator::PixelTranslator(const DeviceContext *dst, int srcBits, const PaletteEntry *srcPalette,
                                 const PixelFormat *srcFormat)
    : dst_(dst) {
  if (srcFormat) srcFormat_ = *srcFormat;
  const bool dstPalette = isPaletteContext(dst);
  if (srcBits <= 8) {
    int entries = 1 << srcBits;
    for (int i = 0; i < 256; ++i) {
      int index = i & (entries - 1);
      uint32_t out;
      if (srcPalette) {
        const PaletteEntry &e = srcPalette[index];
        out = dstPalette ? uint32_t(nearestColor(dst->palette, paletteCount(dst), e.red, e.green, e.blue))
                         : pack(dst->pixelFormat, e.red, e.green, e.blue);
      } else if (dstPalette) {
        out = uint32_t(index) & dst->maxColor;
      } else {
        out = uint32_t(index);
        // Direct-colour contexts keep packed pixel values in their palette.
        if (dst->palette) std::memcpy(&out, dst->palette + index, sizeof out);
      }
      tableStorage_[i] = out;
    }
    table_ = tableStorage_;
    return;
  }
  identity_ =
      !dstPalette && srcBits == dst->bitsPerPixel && srcFormat && sameLayout(*srcFormat, dst->pixelFormat);
}

uint32_t PixelTranslator::translateDirect(uint32_t pixel) const {
  int r, g, b;
  unpack(srcFormat_, pixel, &r, &g, &b);
  if (isPaletteContext(dst_)) return uint32_t(nearestColor(dst_->palette, paletteCount(dst_), r, g, b));
  return pack(dst_->pixelFormat, r, g, b);
}

}  // namespace rkimg
