#include "platform/sdl/picture.h"

#include "platform/common/page_pixels.h"

bool convertToArgb(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                   const PaletteEntry *palette, const PixelFormat *format, uint8_t *out, int outPitch) {
  if (!pixels || !out || width <= 0 || height <= 0) return false;
  if (bits == 8) {
    uint32_t words[256];
    argbWords(palette, words);
    expandIndexed(pixels, width, height, bytesPerLine, words, out, outPitch);
    return true;
  }
  // The texture is opaque.
  return expandDirect(pixels, width, height, bytesPerLine, bits, format, 0xFF000000u, out, outPitch);
}
