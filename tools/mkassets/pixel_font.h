// The pixel-art font source: glyph blocks of '#' (ink) and '.' rows.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

struct PixelGlyph {
  int width = 0;                  // ink columns, without the spacing column
  std::vector<std::string> rows;  // `height` rows of `width` characters
  bool ink(int x, int y) const { return rows[y][x] == '#'; }
};

struct PixelFont {
  int height = 0;
  int ascent = 0;
  std::map<int, PixelGlyph> glyphs;  // by character code
};

// Fails with a message naming the line for a malformed block, a code given
// twice or outside 32..126, or a missing code in 32..126.
bool readPixelFont(std::istream &in, PixelFont &font, std::string &error);
