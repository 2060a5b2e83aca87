#include <algorithm>
#include <cstring>

#include "graphics/image_pixels.h"
#include "graphics/rk_core_internal.h"

// 1- and 4-bit rows still take a whole byte per pixel when a context
// allocates storage.
int RK_bytesPerPixel(int bits) {
  const int whole = rkimg::bytesPerPixel(bits);
  return whole > 0 ? whole : 1;
}

int64_t RK_packedRowBytes(int64_t width, int bits) {
  if (bits == 1) return (width + 7) / 8;
  if (bits == 4) return (width + 1) / 2;
  return width * RK_bytesPerPixel(bits);
}

void RK_writePackedPixel(uint8_t *row, int x, int bits, uint32_t pixel) {
  rkimg::writePixel(row, x, bits, pixel, 0);
}

uint32_t RK_readPackedPixel(const uint8_t *row, int x, int bits) {
  return rkimg::readPixel(row, x, bits);
}

void RK_packedFillRect(DeviceContext *dc, const RK_Rect &rect, uint32_t pixel) {
  if (!dc || !dc->surface) return;
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min<int64_t>(rect.right, static_cast<int64_t>(dc->maxX) + 1);
  const int bottom = std::min<int64_t>(rect.bottom, static_cast<int64_t>(dc->maxY) + 1);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) {
    uint8_t *row = dc->surface + static_cast<int64_t>(dc->bytesPerLine) * y;
    if (dc->bitsPerPixel == 8) {
      std::memset(row + left, static_cast<uint8_t>(pixel), static_cast<size_t>(right - left));
      continue;
    }
    for (int x = left; x < right; ++x) RK_writePackedPixel(row, x, dc->bitsPerPixel, pixel);
  }
}

namespace {

void setColor(DeviceContext *dc, uint32_t pixel) {
  dc->attributes.color = pixel;
}
void setBackColor(DeviceContext *dc, uint32_t pixel) {
  dc->attributes.backColor = pixel;
}
void setWriteMode(DeviceContext *dc, int mode) {
  dc->attributes.writeMode = mode;
}
// The packed routines read the clip rectangle from the attributes when
// they draw, so there is nothing to precompute.
void setClip(DeviceContext *dc, const RK_Rect &clip) {
  dc->attributes.clip = clip;
}
// Ordinary memory needs no lock; only the nesting counter matters.
void beginAccess(DeviceContext *) {}
void endAccess(DeviceContext *) {}

}  // namespace

void RK_installPackedAttributeOps(DriverTable &table) {
  table.setColor = setColor;
  table.setBackColor = setBackColor;
  table.setWriteMode = setWriteMode;
  table.setClip = setClip;
  table.beginAccess = beginAccess;
  table.endAccess = endAccess;
  table.fillRect = RK_packedFillRect;
}
