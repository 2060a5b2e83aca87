// Writes the fuzzers' seed corpus: valid bitmap and font files of every kind
// the readers accept, made with the tests' own file writers.
#include <cstdio>
#include <string>

#include "graphics/bitmap_writers.h"
#include "graphics/font_writers.h"

using namespace testfiles;

namespace {

int written = 0;

void save(const std::string &dir, const std::string &name, const std::vector<uint8_t> &bytes) {
  if (writeFile(dir + "/" + name, bytes)) ++written;
}

void bitmaps(const std::string &dir) {
  for (int bits : {1, 4, 8, 16, 24, 32})
    for (bool topDown : {false, true}) {
      BmpFile f;
      f.width = 5 + bits % 3;
      f.height = topDown ? -3 : 3;
      f.bits = uint16_t(bits);
      if (bits <= 8) f.colorTable = rampPalette(1 << bits);
      f.pixels = packRows(patternPixels(f.width, 3, bits <= 8 ? (1u << bits) : 0xFFFFFFu), bits, topDown);
      save(dir, "bmp" + std::to_string(bits) + (topDown ? "td" : "bu") + ".bmp", bmpBytes(f));
      if (bits > 8) {
        f.compression = 3;
        f.colorTable.clear();
        for (uint32_t m : {0xF800u, 0x7E0u, 0x1Fu}) put32(f.colorTable, m);
        save(dir, "bmp" + std::to_string(bits) + "fields.bmp", bmpBytes(f));
      }
    }
  BmpFile small;
  small.width = 2;
  small.colorsUsed = 2;
  small.colorTable = rampPalette(2);
  small.pixels = {1, 0, 0, 0};
  save(dir, "few-colours.bmp", bmpBytes(small));
  // Pixels further on than the table: a gap, and an optional table before
  // direct-colour pixels.
  small.gap = 6;
  save(dir, "gap.bmp", bmpBytes(small));
  BmpFile direct;
  direct.width = 3;
  direct.bits = 24;
  direct.colorsUsed = 2;
  direct.colorTable = rampPalette(2);
  direct.pixels = packRows(patternPixels(3, 1, 0xFFFFFFu), 24, false);
  save(dir, "table-before-rgb.bmp", bmpBytes(direct));
}

void fonts(const std::string &dir) {
  WinFont w;
  w.first = 32;
  w.last = 40;
  w.defaultChar = 3;
  w.pixelHeight = 6;
  w.ascent = 5;
  w.maxWidth = 12;
  for (int c = w.first; c <= w.last; ++c) w.glyphs.push_back(solidGlyph(c % 2 ? 5 : 12, 6, uint8_t(c)));
  save(dir, "proportional.fnt", winFontBytes(w));
  w.pixelWidth = 12;
  save(dir, "fixed.fnt", winFontBytes(w));

  LibraryFont lf;
  lf.width['A'] = 7;
  lf.offset['A'] =
      addStrokes(lf, {strokePoint(0, 0, true), strokePoint(3, 6, false), strokePoint(6, 0, false)});
  lf.width['-'] = 4;
  lf.offset['-'] = addStrokes(lf, {strokePoint(0, 2, true), strokePoint(3, 2, false)});
  lf.offset[0] = lf.offset['-'];
  save(dir, "strokes.fnt", libraryFontBytes(lf));

  LibraryFont bitmap;
  bitmap.fontType = 3;
  bitmap.fontHeight = 4;
  bitmap.glyphData.assign(512 + 8, 0x3C);
  bitmap.glyphData['B'] = 16;
  bitmap.offset['B'] = 0;
  bitmap.width['B'] = 10;
  save(dir, "library-bitmap.fnt", libraryFontBytes(bitmap));
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fputs("usage: fuzz_seeds BITMAP_DIR FONT_DIR\n", stderr);
    return 2;
  }
  bitmaps(argv[1]);
  fonts(argv[2]);
  std::printf("%d seed files\n", written);
  return written > 0 ? 0 : 1;
}
