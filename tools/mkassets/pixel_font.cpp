#include "pixel_font.h"

#include <sstream>

namespace {

bool isRow(const std::string &line) {
  if (line.empty()) return false;
  for (char c : line) {
    if (c != '#' && c != '.') return false;
  }
  return true;
}

std::string trimmed(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

}  // namespace

bool readPixelFont(std::istream &in, PixelFont &font, std::string &error) {
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string &what) {
    error = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    line = trimmed(line);
    if (line.empty() || line[0] == ';') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "height") {
      if (!(words >> font.height) || font.height < 1 || font.height > 32) return fail("bad height");
    } else if (word == "ascent") {
      if (!(words >> font.ascent) || font.ascent < 1) return fail("bad ascent");
    } else if (word == "glyph") {
      int code = 0;
      if (!(words >> code) || code < 32 || code > 126) return fail("glyph code must be 32..126");
      if (font.height == 0) return fail("\"height\" must come before the glyphs");
      if (font.glyphs.count(code) != 0) return fail("glyph " + std::to_string(code) + " given twice");
      PixelGlyph glyph;
      for (int r = 0; r < font.height; ++r) {
        if (!std::getline(in, line)) return fail("glyph " + std::to_string(code) + " ends early");
        ++lineNumber;
        line = trimmed(line);
        if (!isRow(line)) return fail("expected a row of '#' and '.'");
        if (r == 0) glyph.width = static_cast<int>(line.size());
        if (static_cast<int>(line.size()) != glyph.width) return fail("rows of different width");
        glyph.rows.push_back(line);
      }
      // The font file's glyphs are one 8-pixel strip wide with a blank
      // column after the ink.
      if (glyph.width > 7) return fail("glyphs are at most 7 pixels wide");
      font.glyphs.emplace(code, glyph);
    } else {
      return fail("unknown line \"" + line + "\"");
    }
  }
  if (font.ascent == 0 || font.ascent > font.height) {
    error = "missing or bad \"ascent\"";
    return false;
  }
  for (int code = 32; code <= 126; ++code) {
    if (font.glyphs.count(code) == 0) {
      error = "no glyph for code " + std::to_string(code);
      return false;
    }
  }
  return true;
}
