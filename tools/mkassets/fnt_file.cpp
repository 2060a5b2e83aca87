#include "fnt_file.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int FirstChar = 32;
constexpr int LastChar = 126;
constexpr int HeaderSize = 118;
constexpr int FaceNameRoom = 58;  // readers copy this many bytes of the name

void put16(std::vector<uint8_t> &b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

void put32(std::vector<uint8_t> &b, size_t at, uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

}  // namespace

std::vector<uint8_t> windowsFontBytes(const PixelFont &font, const std::string &faceName) {
  const int count = LastChar - FirstChar + 1;
  // One entry more than the characters: the table's closing entry marks the
  // end of the last glyph.
  const size_t tableSize = size_t(count + 1) * 4;
  const size_t bitsOffset = HeaderSize + tableSize;
  const size_t glyphBytes = size_t(count) * font.height;  // one strip each
  const size_t faceOffset = bitsOffset + glyphBytes;
  std::vector<uint8_t> b(faceOffset + FaceNameRoom, 0);

  int maxWidth = 0;
  for (int code = FirstChar; code <= LastChar; ++code) {
    maxWidth = std::max(maxWidth, font.glyphs.at(code).width + 1);
  }

  put16(b, 0, 0x0200);
  put32(b, 2, uint32_t(b.size()));
  const char copyright[] = "Kelvaro little font";
  std::memcpy(&b[6], copyright, sizeof copyright - 1);
  put16(b, 66, 0);                      // raster font
  put16(b, 68, uint32_t(font.height));  // nominal point size
  put16(b, 70, 96);                     // vertical and horizontal resolution
  put16(b, 72, 96);
  put16(b, 74, uint32_t(font.ascent));
  put16(b, 76, 0);    // internal leading
  put16(b, 78, 1);    // external leading: one blank row between text lines
  put16(b, 83, 400);  // normal weight
  put16(b, 86, 0);    // pixel width 0: proportional
  put16(b, 88, uint32_t(font.height));
  b[90] = 0x21;                                           // variable pitch, sans serif
  put16(b, 91, uint32_t(font.glyphs.at('x').width + 1));  // average width
  put16(b, 93, uint32_t(maxWidth));
  b[95] = FirstChar;
  b[96] = LastChar;
  b[97] = 0;                      // default character: first + 0, the space
  b[98] = 0;                      // word break character: the space
  put16(b, 99, uint32_t(count));  // bytes per bitmap row, one strip per glyph
  put32(b, 105, uint32_t(faceOffset));
  put32(b, 113, uint32_t(bitsOffset));

  for (int i = 0; i <= count; ++i) {
    const size_t entry = HeaderSize + size_t(i) * 4;
    const size_t glyphAt = bitsOffset + size_t(i) * font.height;
    const int width = i < count ? font.glyphs.at(FirstChar + i).width + 1 : 0;
    put16(b, entry, uint32_t(width));
    put16(b, entry + 2, uint32_t(glyphAt));
    if (i == count) break;
    const PixelGlyph &g = font.glyphs.at(FirstChar + i);
    for (int row = 0; row < font.height; ++row) {
      uint8_t bits = 0;
      for (int x = 0; x < g.width; ++x) {
        if (g.ink(x, row)) bits |= uint8_t(0x80 >> x);  // leftmost pixel in the top bit
      }
      b[glyphAt + row] = bits;
    }
  }
  std::memcpy(&b[faceOffset], faceName.c_str(), std::min(faceName.size(), size_t(FaceNameRoom - 1)));
  return b;
}
