#include "platform/win32/win32_picture.h"

#include <algorithm>
#include <cstring>

namespace {

PixelFormat usualFormat(int bits) {
  switch (bits) {
    case 15:  // 5-5-5
      return PixelFormat{0x1F, 0x1F, 0x1F, 0, 10, 3, 5, 3, 0, 3, 0, 0};
    case 16:  // 5-6-5
      return PixelFormat{0x1F, 0x3F, 0x1F, 0, 11, 3, 5, 2, 0, 3, 0, 0};
    default:  // 8-8-8
      return PixelFormat{0xFF, 0xFF, 0xFF, 0, 16, 0, 8, 0, 0, 0, 0, 0};
  }
}

int bytesOf(int bits) {
  switch (bits) {
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

// A damaged layout (positions beyond the word, adjusts beyond a byte) reads
// as 0 rather than shifting out of range.
uint32_t channel(uint32_t pixel, int32_t mask, int32_t pos, int32_t adjust) {
  if (pos < 0 || pos > 31 || adjust < 0 || adjust > 8) return 0;
  return ((pixel >> pos) & static_cast<uint32_t>(mask) & 0xFFu) << adjust & 0xFFu;
}

}  // namespace

PictureArea fitPicture(int outWidth, int outHeight, int width, int height) {
  if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0) return {0, 0, 0, 0};
  const int factor = std::min(outWidth / width, outHeight / height);
  int w, h;
  if (factor >= 1) {
    w = width * factor;
    h = height * factor;
  } else if (static_cast<int64_t>(outWidth) * height <= static_cast<int64_t>(outHeight) * width) {
    w = outWidth;
    h = static_cast<int>(static_cast<int64_t>(height) * outWidth / width);
  } else {
    h = outHeight;
    w = static_cast<int>(static_cast<int64_t>(width) * outHeight / height);
  }
  w = std::max(w, 1);
  h = std::max(h, 1);
  return {(outWidth - w) / 2, (outHeight - h) / 2, w, h};
}

void outputToPicture(const PictureArea &a, int pictureWidth, int pictureHeight, int outX, int outY, int *x,
                     int *y) {
  if (a.width <= 0 || a.height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
    *x = outX;
    *y = outY;
    return;
  }
  const int64_t px = static_cast<int64_t>(outX - a.x) * pictureWidth / a.width;
  const int64_t py = static_cast<int64_t>(outY - a.y) * pictureHeight / a.height;
  *x = static_cast<int>(std::clamp<int64_t>(px, 0, pictureWidth - 1));
  *y = static_cast<int>(std::clamp<int64_t>(py, 0, pictureHeight - 1));
}

int dibBits(int bits) {
  if (bits == 8) return 8;
  return bytesOf(bits) ? 32 : 0;
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
  const int bytes = bytesOf(bits);
  const PixelFormat f = format ? *format : usualFormat(bits);
  for (int y = 0; y < height; ++y) {
    const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
    uint8_t *dst = out + static_cast<int64_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = 0;
      for (int k = 0; k < bytes; ++k) pixel |= uint32_t{src[bytes * x + k]} << (8 * k);
      dst[4 * x + 0] = static_cast<uint8_t>(channel(pixel, f.blueMask, f.bluePos, f.blueAdjust));
      dst[4 * x + 1] = static_cast<uint8_t>(channel(pixel, f.greenMask, f.greenPos, f.greenAdjust));
      dst[4 * x + 2] = static_cast<uint8_t>(channel(pixel, f.redMask, f.redPos, f.redAdjust));
      dst[4 * x + 3] = 0;
    }
  }
  return true;
}
