#include "platform/win32/win32_picture.h"

#include <cstring>

#include "platform/common/page_pixels.h"

int dibBits(int bits) {
  if (bits == 8) return 8;
  return directPixelBytes(bits) ? 32 : 0;
}

int dibStride(int width, int bits) {
  const int depth = dibBits(bits);
  if (width <= 0 || depth == 0) return 0;
  return static_cast<int>((static_cast<int64_t>(width) * depth + 31) / 32 * 4);
}

bool copyToDib(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
               const PixelFormat *format, uint8_t *out) {
  if (!pixels || !out || width <= 0 || height <= 0 || dibBits(bits) == 0) return false;
  const int stride = dibStride(width, bits);
  if (bits == 8) {
    for (int y = 0; y < height; ++y) {
      uint8_t *row = out + static_cast<int64_t>(y) * stride;
      std::memcpy(row, pixels + static_cast<int64_t>(y) * bytesPerLine, static_cast<size_t>(width));
      std::memset(row + width, 0, static_cast<size_t>(stride - width));
    }
    return true;
  }
  // A 32-bit DIB pixel is blue, green, red and a zero byte: on this
  // little-endian system the word red << 16 | green << 8 | blue.
  return expandDirect(pixels, width, height, bytesPerLine, bits, format, 0, out, stride);
}
