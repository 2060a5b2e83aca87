// Reading Windows 2.x raster font files in two steps: checking the header and
// the character table (no allocation), then building the Font.
#pragma once

#include <cstdint>
#include <cstdio>

#include "graphics/rk_font.h"

struct WindowsFontPlan {
  int first, last, defaultChar;
  int pixelWidth, pixelHeight, ascent, leading, maxWidth;
  long faceOffset, bitsOffset;
  long glyphBytes;
  uint8_t width[256];
  int16_t offset[256];  // relative to the first glyph; -1 outside first..last
  // A glyph of more than one byte per row does not fit the 512-byte buffer
  // used to re-order it; loading such a font ends the program.
  bool glyphTooLarge;
};

inline constexpr int RK_GlyphBufferBytes = 512;

// Reads and checks the header and character table of a Windows font that
// starts at `offset` in a file of `available` bytes from there. Returns 0 or
// the error code (-13, -25).
int RK_planWindowsFont(FILE *file, long offset, long available, WindowsFontPlan *plan);
// Builds the font from a checked plan. Returns null when memory is short.
Font *RK_buildWindowsFont(FILE *file, long offset, const WindowsFontPlan &plan);
