#include <algorithm>
#include <cstring>

#include "graphics/rk_core_internal.h"

int RK_bytesPerPixel(int bits) {
  switch (bits) {
    case 15:
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 1;
  }
}

int64_t RK_packedRowBytes(int64_t width, int bits) {
  if (bits == 1) return (width + 7) / 8;
  if (bits == 4) return (width + 1) / 2;
  return width * RK_bytesPerPixel(bits);
}

void RK_writePackedPixel(uint8_t *row, int x, int bits, uint32_t pixel) {
  switch (bits) {
    case 1: {
      const int shift = 7 - (x & 7);
      uint8_t &b = row[x >> 3];
      b = static_cast<uint8_t>((b & ~(1u << shift)) | ((pixel & 1u) << shift));
      break;
    }
    case 4: {
      uint8_t &b = row[x >> 1];
      if (x & 1) {
        b = static_cast<uint8_t>((b & 0xF0u) | (pixel & 0x0Fu));
      } else {
        b = static_cast<uint8_t>((b & 0x0Fu) | ((pixel & 0x0Fu) << 4));
      }
      break;
    }
    case 8:
      row[x] = static_cast<uint8_t>(pixel);
      break;
    case 15:
    case 16: {
      const uint16_t v = static_cast<uint16_t>(pixel);
      std::memcpy(row + 2 * x, &v, 2);
      break;
    }
    case 24: {
      uint8_t *p = row + 3 * x;
      p[0] = static_cast<uint8_t>(pixel);
      p[1] = static_cast<uint8_t>(pixel >> 8);
      p[2] = static_cast<uint8_t>(pixel >> 16);
      break;
    }
    case 32:
      std::memcpy(row + 4 * x, &pixel, 4);
      break;
    default:
      break;
  }
}

uint32_t RK_readPackedPixel(const uint8_t *row, int x, int bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    case 8:
      return row[x];
    case 15:
    case 16: {
      uint16_t v;
      std::memcpy(&v, row + 2 * x, 2);
      return v;
    }
    case 24: {
      const uint8_t *p = row + 3 * x;
      return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
             (static_cast<uint32_t>(p[2]) << 16);
    }
    case 32: {
      uint32_t v;
      std::memcpy(&v, row + 4 * x, 4);
      return v;
    }
    default:
      return 0;
  }
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
