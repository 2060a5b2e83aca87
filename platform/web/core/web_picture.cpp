#include "platform/web/core/web_picture.h"

#include "platform/common/page_pixels.h"

bool convertToRgba(const uint8_t *pixels, int width, int height, int bytesPerLine,
                   const PaletteEntry *palette, uint8_t *out) {
  if (!pixels || !out || width <= 0 || height <= 0 || bytesPerLine < width) return false;
  uint32_t words[256];
  rgbaByteWords(palette, words);
  expandIndexed(pixels, width, height, bytesPerLine, words, out, width * 4);
  return true;
}
