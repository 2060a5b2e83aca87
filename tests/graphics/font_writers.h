// Small writers of font files (the library's own format and Windows 2.x
// raster fonts) for the font and text tests and the fuzz seed corpus.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bitmap_writers.h"

namespace testfiles {

struct WinGlyph {
  int width = 0;
  std::vector<uint8_t> rows;  // top row first, (width + 7) / 8 bytes per row
};

struct WinFont {
  uint16_t version = 0x0200;
  uint16_t type = 0;
  int first = 32, last = 32, defaultChar = 0;
  int pixelWidth = 0, pixelHeight = 8, ascent = 6, leading = 0, maxWidth = 8;
  std::string face = "Test";
  std::vector<WinGlyph> glyphs;  // last - first + 1
};

inline std::vector<uint8_t> winFontBytes(const WinFont &f) {
  std::vector<uint8_t> out(118, 0);
  auto set16 = [&out](size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
  };
  auto set32 = [&](size_t at, uint32_t v) {
    set16(at, v & 0xFFFF);
    set16(at + 2, v >> 16);
  };
  const size_t count = f.glyphs.size();
  const size_t bitsOffset = 118 + 4 * (count + 1);
  std::vector<uint8_t> bits;
  std::vector<uint32_t> offsets;
  for (const WinGlyph &g : f.glyphs) {
    offsets.push_back(uint32_t(bitsOffset + bits.size()));
    const int strips = (g.width + 7) / 8;
    for (int s = 0; s < strips; ++s)
      for (int r = 0; r < f.pixelHeight; ++r) {
        size_t at = size_t(r) * size_t(strips) + size_t(s);
        bits.push_back(at < g.rows.size() ? g.rows[at] : 0);
      }
  }
  offsets.push_back(uint32_t(bitsOffset + bits.size()));
  const size_t faceOffset = bitsOffset + bits.size();
  set16(0, f.version);
  set16(66, f.type);
  set16(74, uint32_t(f.ascent));
  set16(78, uint32_t(f.leading));
  set16(86, uint32_t(f.pixelWidth));
  set16(88, uint32_t(f.pixelHeight));
  set16(93, uint32_t(f.maxWidth));
  out[95] = uint8_t(f.first);
  out[96] = uint8_t(f.last);
  out[97] = uint8_t(f.defaultChar);
  set32(105, uint32_t(faceOffset));
  set32(113, uint32_t(bitsOffset));
  for (size_t i = 0; i <= count; ++i) {
    put16(out, i < count ? uint32_t(f.glyphs[i].width) : 0);
    put16(out, offsets[i]);
  }
  out.insert(out.end(), bits.begin(), bits.end());
  out.insert(out.end(), f.face.begin(), f.face.end());
  out.push_back(0);
  return out;
}

// A glyph `width` pixels wide whose every row is `pattern` repeated.
inline WinGlyph solidGlyph(int width, int height, uint8_t pattern = 0xFF) {
  WinGlyph g;
  g.width = width;
  g.rows.assign(size_t((width + 7) / 8) * size_t(height), pattern);
  return g;
}

struct LibraryFont {
  std::string signature = std::string("Rasterkit Font File:") + '\0';
  std::string name = "Strokes";
  int16_t fontType = 1, maxWidth = 8, maxKern = 0, fontWidth = 8, fontHeight = 10, ascent = 8, descent = -2,
          leading = 0;
  uint8_t width[256] = {};
  int16_t offset[256];
  std::vector<uint8_t> glyphData;
  LibraryFont() {
    for (int16_t &o : offset) o = -1;
  }
};

inline std::vector<uint8_t> libraryFontBytes(const LibraryFont &f) {
  std::vector<uint8_t> out(f.signature.begin(), f.signature.end());
  out.insert(out.end(), f.name.begin(), f.name.end());
  out.push_back(0);
  out.resize(std::max<size_t>(out.size(), 256), 0);
  for (int16_t v :
       {f.fontType, f.maxWidth, f.maxKern, f.fontWidth, f.fontHeight, f.ascent, f.descent, f.leading})
    put16(out, uint16_t(v));
  out.insert(out.end(), f.width, f.width + 256);
  for (int16_t o : f.offset) put16(out, uint16_t(o));
  out.insert(out.end(), f.glyphData.begin(), f.glyphData.end());
  return out;
}

// One stroke word: a point (x, y) to move to or draw to.
inline uint16_t strokePoint(int x, int y, bool move) {
  return uint16_t(1u | ((unsigned(x) & 0x7Fu) << 1) | (move ? 0x100u : 0u) | ((unsigned(y) & 0x7Fu) << 9));
}

// Appends a glyph's stroke words and the end word; returns its offset.
inline int16_t addStrokes(LibraryFont &f, const std::vector<uint16_t> &points) {
  int16_t at = int16_t(f.glyphData.size());
  for (uint16_t p : points) put16(f.glyphData, p);
  put16(f.glyphData, 0);
  return at;
}

}  // namespace testfiles
