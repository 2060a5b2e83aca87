// Pure pixel work of the Win32 back end: the rows of the device-independent
// bitmap a page is shown from. Where the picture lands on the output is
// platform/common/picture_fit.h.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"
#include "platform/common/picture_fit.h"

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
