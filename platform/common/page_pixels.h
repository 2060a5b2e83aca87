// A page's pixels as the 32-bit words outputs show, and the palette a back
// end keeps for 8-bit pages presented without one. Rows of a page may be
// longer than its width (bytesPerLine); output rows are outPitch bytes apart
// and their bytes past the width are left alone.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

// Keeps entries first .. first + count - 1 of `entries` (clipped to the 256
// the table holds) in `kept`, each with its reserved byte cleared.
void storePalette(PaletteEntry (&kept)[256], const PaletteEntry *entries, int count, int first);

// A palette as words 0xFFRRGGBB (opaque ARGB); no palette is opaque black.
void argbWords(const PaletteEntry *palette, uint32_t (&words)[256]);
// A palette as words whose bytes in memory are red, green, blue, 255 (the
// RGBA a canvas takes); no palette is opaque black.
void rgbaByteWords(const PaletteEntry *palette, uint32_t (&words)[256]);

// 8-bit pixels through a table of 256 words, each word stored as it is.
void expandIndexed(const uint8_t *pixels, int width, int height, int bytesPerLine,
                   const uint32_t (&words)[256], uint8_t *out, int outPitch);

// Bytes one pixel of a direct-colour depth takes (15 and 16: 2, 24: 3,
// 32: 4); 0 for any other depth.
int directPixelBytes(int bits);

// Direct-colour pixels (15, 16, 24 or 32 bits, little-endian) unpacked
// through `format` (null: the usual layout of that depth: 5-5-5, 5-6-5,
// 8-8-8) into words alpha | red << 16 | green << 8 | blue. Each channel is
// widened by its adjust; a damaged layout (a position beyond the word, an
// adjust beyond a byte) reads that channel as 0. False, leaving `out`
// untouched, for any other depth.
bool expandDirect(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                  const PixelFormat *format, uint32_t alpha, uint8_t *out, int outPitch);
