// Pixel work of the browser back end: a page of 8-bit pixels through a
// palette to the RGBA rows a canvas takes.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

// Converts width x height 8-bit pixels (rows `bytesPerLine` apart) through
// `palette` (256 entries; null: black) to packed RGBA, 4 bytes a pixel,
// alpha opaque. Returns false, leaving `out` untouched, for no pixels or a
// row length shorter than the width.
bool convertToRgba(const uint8_t *pixels, int width, int height, int bytesPerLine,
                   const PaletteEntry *palette, uint8_t *out);
