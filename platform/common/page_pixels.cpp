#include "platform/common/page_pixels.h"

#include <algorithm>
#include <cstring>

#include "graphics/image_pixels.h"

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

uint32_t channel(uint32_t pixel, int32_t mask, int32_t pos, int32_t adjust) {
  if (pos < 0 || pos > 31 || adjust < 0 || adjust > 8) return 0;
  return ((pixel >> pos) & static_cast<uint32_t>(mask) & 0xFFu) << adjust & 0xFFu;
}

void store(uint8_t *at, uint32_t word) {
  std::memcpy(at, &word, 4);
}

}  // namespace

void storePalette(PaletteEntry (&kept)[256], const PaletteEntry *entries, int count, int first) {
  if (!entries) return;
  const int begin = std::max(first, 0);
  const int end = static_cast<int>(std::min<int64_t>(int64_t{first} + count, 256));
  for (int i = begin; i < end; ++i) {
    kept[i] = entries[i];
    kept[i].reserved = 0;
  }
}

void argbWords(const PaletteEntry *palette, uint32_t (&words)[256]) {
  for (int i = 0; i < 256; ++i)
    words[i] = palette ? 0xFF000000u | uint32_t{palette[i].red} << 16 | uint32_t{palette[i].green} << 8 |
                             palette[i].blue
                       : 0xFF000000u;
}

void rgbaByteWords(const PaletteEntry *palette, uint32_t (&words)[256]) {
  for (int i = 0; i < 256; ++i) {
    const uint8_t rgba[4] = {palette ? palette[i].red : uint8_t{0}, palette ? palette[i].green : uint8_t{0},
                             palette ? palette[i].blue : uint8_t{0}, 0xFF};
    std::memcpy(&words[i], rgba, 4);
  }
}

void expandIndexed(const uint8_t *pixels, int width, int height, int bytesPerLine,
                   const uint32_t (&words)[256], uint8_t *out, int outPitch) {
  for (int y = 0; y < height; ++y) {
    const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
    uint8_t *dst = out + static_cast<int64_t>(y) * outPitch;
    for (int x = 0; x < width; ++x) store(dst + 4 * x, words[src[x]]);
  }
}

int directPixelBytes(int bits) {
  return bits == 8 ? 0 : rkimg::bytesPerPixel(bits);
}

bool expandDirect(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                  const PixelFormat *format, uint32_t alpha, uint8_t *out, int outPitch) {
  if (directPixelBytes(bits) == 0) return false;
  const PixelFormat f = format ? *format : usualFormat(bits);
  for (int y = 0; y < height; ++y) {
    const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
    uint8_t *dst = out + static_cast<int64_t>(y) * outPitch;
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = rkimg::readPixel(src, x, bits);
      const uint32_t r = channel(pixel, f.redMask, f.redPos, f.redAdjust);
      const uint32_t g = channel(pixel, f.greenMask, f.greenPos, f.greenAdjust);
      const uint32_t b = channel(pixel, f.blueMask, f.bluePos, f.blueAdjust);
      store(dst + 4 * x, alpha | r << 16 | g << 8 | b);
    }
  }
  return true;
}
