#include "platform/sdl/picture.h"

#include <algorithm>
#include <cstring>

namespace {

PixelFormat usualFormat(int bits) {
  PixelFormat f{};
  switch (bits) {
    case 15:  // 5-5-5
      f = PixelFormat{0x1F, 0x1F, 0x1F, 0, 10, 3, 5, 3, 0, 3, 0, 0};
      break;
    case 16:  // 5-6-5
      f = PixelFormat{0x1F, 0x3F, 0x1F, 0, 11, 3, 5, 2, 0, 3, 0, 0};
      break;
    default:  // 8-8-8
      f = PixelFormat{0xFF, 0xFF, 0xFF, 0, 16, 0, 8, 0, 0, 0, 0, 0};
      break;
  }
  return f;
}

// Adjusts above 8 or negative positions would shift out of range; such a
// layout is damaged and its channel reads as 0.
uint32_t channel(uint32_t pixel, int32_t mask, int32_t pos, int32_t adjust) {
  if (pos < 0 || pos > 31 || adjust < 0 || adjust > 8) return 0;
  return ((pixel >> pos) & static_cast<uint32_t>(mask) & 0xFFu) << adjust & 0xFFu;
}

uint32_t argbOf(uint32_t pixel, const PixelFormat &f) {
  const uint32_t r = channel(pixel, f.redMask, f.redPos, f.redAdjust);
  const uint32_t g = channel(pixel, f.greenMask, f.greenPos, f.greenAdjust);
  const uint32_t b = channel(pixel, f.blueMask, f.bluePos, f.blueAdjust);
  return 0xFF000000u | r << 16 | g << 8 | b;
}

void store(uint8_t *at, uint32_t argb) {
  std::memcpy(at, &argb, 4);
}

}  // namespace

bool convertToArgb(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                   const PaletteEntry *palette, const PixelFormat *format, uint8_t *out, int outPitch) {
  if (!pixels || !out || width <= 0 || height <= 0) return false;
  if (bits == 8) {
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i)
      lookup[i] = palette ? 0xFF000000u | uint32_t{palette[i].red} << 16 | uint32_t{palette[i].green} << 8 |
                                palette[i].blue
                          : 0xFF000000u;
    for (int y = 0; y < height; ++y) {
      const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
      uint8_t *dst = out + static_cast<int64_t>(y) * outPitch;
      for (int x = 0; x < width; ++x) store(dst + 4 * x, lookup[src[x]]);
    }
    return true;
  }
  int bytes;
  switch (bits) {
    case 15:
    case 16:
      bytes = 2;
      break;
    case 24:
      bytes = 3;
      break;
    case 32:
      bytes = 4;
      break;
    default:
      return false;
  }
  const PixelFormat f = format ? *format : usualFormat(bits);
  for (int y = 0; y < height; ++y) {
    const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
    uint8_t *dst = out + static_cast<int64_t>(y) * outPitch;
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = 0;
      for (int k = 0; k < bytes; ++k) pixel |= uint32_t{src[bytes * x + k]} << (8 * k);
      store(dst + 4 * x, argbOf(pixel, f));
    }
  }
  return true;
}

PicturePlacement placePicture(int outWidth, int outHeight, int width, int height) {
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

void outputToPicture(const PicturePlacement &p, int pictureWidth, int pictureHeight, int outX, int outY,
                     int *x, int *y) {
  if (p.width <= 0 || p.height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
    *x = outX;
    *y = outY;
    return;
  }
  const int64_t px = static_cast<int64_t>(outX - p.x) * pictureWidth / p.width;
  const int64_t py = static_cast<int64_t>(outY - p.y) * pictureHeight / p.height;
  *x = static_cast<int>(std::clamp<int64_t>(px, 0, pictureWidth - 1));
  *y = static_cast<int>(std::clamp<int64_t>(py, 0, pictureHeight - 1));
}
