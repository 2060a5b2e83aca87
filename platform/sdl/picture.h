// Pure pixel work of the SDL back end: converting a page to the 32-bit ARGB
// of its streaming texture. Where the picture lands on the output is
// platform/common/picture_fit.h.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"
#include "platform/common/picture_fit.h"

// Converts width x height pixels of 8 (through `palette`, 256 entries), 15,
// 16, 24 or 32 bits (through `format`; null: the usual layout of that
// depth) to ARGB8888 rows of `outPitch` bytes. Returns false for any other
// depth, leaving `out` untouched.
bool convertToArgb(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                   const PaletteEntry *palette, const PixelFormat *format, uint8_t *out, int outPitch);
