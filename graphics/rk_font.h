// A loaded font: metrics, per-code widths and offsets, and the glyph data,
// all in one allocation (free it with RK_freeFont).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int RK_FontNameSize = 58;
inline constexpr int RK_FontVector = 1;
inline constexpr int RK_FontFixed = 2;
inline constexpr int RK_FontProportional = 3;
// Bitmap fonts start their glyph data with bitmapWidth[256] and 256 reserved
// bytes; the glyph bitmaps follow.
inline constexpr int RK_FontBitmapTableBytes = 512;

struct Font {
  char name[RK_FontNameSize];
  int16_t fontType;  // 1 vector, 2 fixed-width bitmap, 3 proportional bitmap
  int16_t maxWidth;
  int16_t maxKern;
  int16_t fontWidth;
  int16_t fontHeight;
  int16_t ascent;
  int16_t descent;
  int16_t leading;
  uint8_t width[256];
  int16_t offset[256];  // into the glyph data (bitmap fonts: into the bitmaps); -1 no glyph
  // Bytes of glyph data that follow this record in the same allocation.
  int32_t glyphDataSize;

  uint8_t *glyphData() { return reinterpret_cast<uint8_t *>(this) + sizeof(Font); }
  const uint8_t *glyphData() const { return reinterpret_cast<const uint8_t *>(this) + sizeof(Font); }
  // Bitmap fonts only.
  uint8_t *bitmapWidth() { return glyphData(); }
  const uint8_t *bitmapWidth() const { return glyphData(); }
  uint8_t *glyphBitmaps() { return glyphData() + RK_FontBitmapTableBytes; }
  const uint8_t *glyphBitmaps() const { return glyphData() + RK_FontBitmapTableBytes; }
};

// One zero-filled allocation for a font with `glyphDataSize` bytes of glyph
// data; null when memory is short or the size is negative.
Font *RK_allocateFont(long glyphDataSize);
