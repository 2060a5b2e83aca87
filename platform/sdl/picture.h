// Pure pixel work of the SDL back end: converting a page to 32-bit ARGB and
// placing the picture on the output.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

// Converts width x height pixels of 8 (through `palette`, 256 entries), 15,
// 16, 24 or 32 bits (through `format`; null: the usual layout of that
// depth) to ARGB8888 rows of `outPitch` bytes. Returns false for any other
// depth, leaving `out` untouched.
bool convertToArgb(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                   const PaletteEntry *palette, const PixelFormat *format, uint8_t *out, int outPitch);

// Where a width x height picture lands in an output of outWidth x outHeight:
// scaled by the largest whole factor that fits and centred, so pixels stay
// square and sharp. An output smaller than the picture gets it shrunk to fit.
struct PicturePlacement {
  int x, y, width, height;
};
PicturePlacement placePicture(int outWidth, int outHeight, int width, int height);

// A point of the output in picture pixels, clamped to the picture.
void outputToPicture(const PicturePlacement &placement, int pictureWidth, int pictureHeight, int outX,
                     int outY, int *x, int *y);
