// Pixel access and colour translation shared by the packed-pixel image
// operations. Surfaces store 1- and 4-bit pixels most significant bits first
// and 15/16/24/32-bit pixels little-endian.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

namespace rkimg {

inline uint32_t readPixel(const uint8_t *row, int x, int bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    case 8:
      return row[x];
    case 15:
    case 16:
      return row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
    case 24:
      return row[3 * x] | (uint32_t(row[3 * x + 1]) << 8) | (uint32_t(row[3 * x + 2]) << 16);
    case 32:
      return row[4 * x] | (uint32_t(row[4 * x + 1]) << 8) | (uint32_t(row[4 * x + 2]) << 16) |
             (uint32_t(row[4 * x + 3]) << 24);
    default:
      return 0;
  }
}

// Write modes: 0 replace, 1 exclusive or, 2 or, 3 and; others replace.
inline uint32_t combine(uint32_t dst, uint32_t src, int op) {
  switch (op) {
    case 1:
      return dst ^ src;
    case 2:
      return dst | src;
    case 3:
      return dst & src;
    default:
      return src;
  }
}

inline void writePixel(uint8_t *row, int x, int bits, uint32_t value, int op) {
  if (op != 0) value = combine(readPixel(row, x, bits), value, op);
  switch (bits) {
    case 1: {
      uint8_t mask = uint8_t(0x80u >> (x & 7));
      row[x >> 3] = uint8_t((value & 1u) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
      break;
    }
    case 4:
      if (x & 1)
        row[x >> 1] = uint8_t((row[x >> 1] & 0xF0u) | (value & 0x0Fu));
      else
        row[x >> 1] = uint8_t((row[x >> 1] & 0x0Fu) | ((value & 0x0Fu) << 4));
      break;
    case 8:
      row[x] = uint8_t(value);
      break;
    case 15:
    case 16:
      row[2 * x] = uint8_t(value);
      row[2 * x + 1] = uint8_t(value >> 8);
      break;
    case 24:
      row[3 * x] = uint8_t(value);
      row[3 * x + 1] = uint8_t(value >> 8);
      row[3 * x + 2] = uint8_t(value >> 16);
      break;
    case 32:
      row[4 * x] = uint8_t(value);
      row[4 * x + 1] = uint8_t(value >> 8);
      row[4 * x + 2] = uint8_t(value >> 16);
      row[4 * x + 3] = uint8_t(value >> 24);
      break;
    default:
      break;
  }
}

// Whole bytes per pixel, or 0 for 1 and 4 bits.
inline int bytesPerPixel(int bits) {
  switch (bits) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 0;
  }
}

inline bool isEmpty(const RK_Rect &r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// a becomes a ∩ b; true when something is left.
bool intersect(RK_Rect &a, const RK_Rect &b);

// The whole surface in surface coordinates.
RK_Rect surfaceRect(const DeviceContext *dc);
// Where drawing may land, in surface coordinates: the clip rectangle moved by
// the viewport when clipping is on, and never beyond the surface.
RK_Rect drawableRect(const DeviceContext *dc);
// The same in the context's viewport coordinates.
RK_Rect drawableRectInViewport(const DeviceContext *dc);

// Palette comparison for choosing the untranslated copy: byte for byte over
// `count` entries.
bool palettesEqual(const PaletteEntry *a, const PaletteEntry *b, int count);
int nearestColor(const PaletteEntry *palette, int count, int red, int green, int blue);
void unpack(const PixelFormat &pf, uint32_t pixel, int *red, int *green, int *blue);
uint32_t pack(const PixelFormat &pf, int red, int green, int blue);
bool sameLayout(const PixelFormat &a, const PixelFormat &b);

// Turns pixels of a source format into pixel values of a context. Indexed
// sources without a palette keep their index on palette contexts and take
// the context's own colour of that index on direct-colour contexts.
class PixelTranslator {
 public:
  PixelTranslator(const DeviceContext *dst, int srcBits, const PaletteEntry *srcPalette,
                  const PixelFormat *srcFormat);
  uint32_t operator()(uint32_t pixel) {
    if (table_) return table_[pixel & 0xFFu];
    if (identity_) return pixel;
    if (pixel == lastIn_) return lastOut_;
    lastIn_ = pixel;
    lastOut_ = translateDirect(pixel);
    return lastOut_;
  }

 private:
  uint32_t translateDirect(uint32_t pixel) const;

  const DeviceContext *dst_;
  PixelFormat srcFormat_{};
  bool identity_ = false;
  const uint32_t *table_ = nullptr;
  uint32_t tableStorage_[256] = {};
  uint32_t lastIn_ = 0xFFFFFFFFu;
  uint32_t lastOut_ = 0;
};

}  // namespace rkimg
