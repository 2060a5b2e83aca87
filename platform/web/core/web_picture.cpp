#include "platform/web/core/web_picture.h"

#include <cstring>

bool convertToRgba(const uint8_t *pixels, int width, int height, int bytesPerLine,
                   const PaletteEntry *palette, uint8_t *out) {
  if (!pixels || !out || width <= 0 || height <= 0 || bytesPerLine < width) return false;
  // One lookup of 256 words, stored in memory order R, G, B, A.
  uint32_t lookup[256];
  for (int i = 0; i < 256; ++i) {
    const uint8_t rgba[4] = {palette ? palette[i].red : uint8_t{0}, palette ? palette[i].green : uint8_t{0},
                             palette ? palette[i].blue : uint8_t{0}, 0xFF};
    std::memcpy(&lookup[i], rgba, 4);
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t *src = pixels + static_cast<int64_t>(y) * bytesPerLine;
    uint8_t *dst = out + static_cast<int64_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) std::memcpy(dst + 4 * x, &lookup[src[x]], 4);
  }
  return true;
}
