// Shared decisions of bitmap drawing, area copies and stretches: whether two
// pixel sources may be copied without translation.
#pragma once

#include "graphics/rk_types.h"

namespace rkblit {

// The palette check is on unless a caller turns it off; with it off, indexed
// pixels of the same depth are copied untranslated whatever their palettes.
void setPaletteCheck(bool on);
bool paletteCheck();

// Entries compared for a context of `maxColor` and pixels of `bits`.
int comparedEntries(int bits, uint32_t maxColor);

// Same depth, matching palettes (when checked, for 8 bits or fewer) or
// matching channel positions (above 8 bits).
bool sameFormat(int bitsA, const PaletteEntry *paletteA, uint32_t maxColorA, const PixelFormat &formatA,
                int bitsB, const PaletteEntry *paletteB, uint32_t maxColorB, const PixelFormat &formatB);

}  // namespace rkblit
