// Pure pixel work of the Win32 back end: where the picture lands on the
// output, and the rows of the device-independent bitmap it is shown from.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

// Where a width x height picture lands in an output of outWidth x outHeight:
// scaled by the largest whole factor that fits and centred, so pixels stay
// square and sharp. An output smaller than the picture gets it shrunk to fit.
struct PictureArea {
  int x, y, width, height;
};
PictureArea fitPicture(int outWidth, int outHeight, int width, int height);

// A point of the output in picture pixels, clamped to the picture.
void outputToPicture(const PictureArea &area, int pictureWidth, int pictureHeight, int outX, int outY, int *x,
                     int *y);

// The depth the DIB of a page of `bits` has: 8-bit pages are shown through
// their colour table as they are, other depths as 32-bit blue-green-red.
// 0 for depths that cannot be shown.
int dibBits(int bits);

// Bytes per DIB row: rows are padded to four bytes.
int dibStride(int width, int bits);

// Writes a page into DIB rows (top row first, dibStride apart) at dibBits
// depth; direct-colour pixels are unpacked through `format` (null: the usual
// layout of that depth). False, leaving `out` untouched, for a depth that
// cannot be shown.
bool copyToDib(const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
               const PixelFormat *format, uint8_t *out);
