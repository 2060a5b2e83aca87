// Turning a picture's colours into palette indices.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/kelvaro-convert/palette_match.h"
#include "tools/pngread/png_read.h"

enum class Dither {
  None,       // each pixel its nearest entry
  Ordered,    // each colour mixed from two entries by a fixed 8x8 pattern
  Diffusion,  // each pixel's error spread to its neighbours (Floyd-Steinberg)
};

// One index per pixel, rows top to bottom, width bytes a row. Transparent
// parts are laid over black, as the game draws pictures without
// transparency. A picture made only of the palette's colours keeps exactly
// those entries (the lowest index where the palette repeats a colour) in
// every mode.
std::vector<uint8_t> quantisePicture(const RgbaPicture &picture, const PaletteMatch &palette, Dither dither);

// The pixel's colour as light, laid over black by its alpha as viewers do.
LinearRgb pixelLight(const RgbaPicture &picture, int x, int y);
