// Picking palette entries for computed colours.
#pragma once

#include "image.h"
#include "palettes.h"

// The entry among first..last nearest to the colour (ties: the lower index).
int nearestColour(const Palette &palette, Rgb colour, int first, int last);

// The same after an ordered 4x4 dither offset for pixel (x, y), so that
// smooth gradients spread over the few entries near them. `strength` is the
// offset's range in channel units.
int ditheredColour(const Palette &palette, Rgb colour, int x, int y, double strength, int first, int last);

Rgb mix(Rgb a, Rgb b, double t);
Rgb hexColour(uint32_t rgb);
