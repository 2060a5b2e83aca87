#include "graphics/bitmap_blit_rules.h"

#include <algorithm>

#include "graphics/image_pixels.h"

namespace rkblit {

namespace {
bool checkPalettes = true;
}

void setPaletteCheck(bool on) {
  checkPalettes = on;
}
bool paletteCheck() {
  return checkPalettes;
}

int comparedEntries(int bits, uint32_t maxColor) {
  int byDepth = bits <= 1 ? 2 : bits <= 4 ? 16 : 256;
  return int(std::min<uint32_t>(uint32_t(byDepth), std::min<uint32_t>(maxColor, 255u) + 1));
}

bool sameFormat(int bitsA, const PaletteEntry *paletteA, uint32_t maxColorA, const PixelFormat &formatA,
                int bitsB, const PaletteEntry *paletteB, uint32_t maxColorB, const PixelFormat &formatB) {
  if (bitsA != bitsB) return false;
  if (bitsA <= 8) {
    if (!checkPalettes || !paletteA || !paletteB) return true;
    int count = std::min(comparedEntries(bitsA, maxColorA), comparedEntries(bitsB, maxColorB));
    return rkimg::palettesEqual(paletteA, paletteB, count);
  }
  return formatA.redPos == formatB.redPos && formatA.greenPos == formatB.greenPos &&
         formatA.bluePos == formatB.bluePos;
}

}  // namespace rkblit
