// Loading fonts: Windows 2.x raster fonts (strips to rows, the default
// character, the glyph buffer limit) and the library's own format, and
// hostile files of both.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "common/portable.h"
#include "font_writers.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

using namespace testfiles;

namespace {

struct LoadedFont {
  Font *font = nullptr;
  int error = 0;
  ~LoadedFont() { RK_freeFont(font); }
};

void load(std::vector<uint8_t> bytes, LoadedFont &out) {
  if (bytes.empty()) bytes.push_back(0);
  FILE *f = portable::memoryFile(bytes.data(), bytes.size());
  ASSERT_NE(f, nullptr);
  out.font = RK_readFontStream(f, 0, long(bytes.size()));
  out.error = RK_lastError();
  std::fclose(f);
}

// Codes 32 to 34: a narrow glyph, a two-strip glyph and an empty one.
WinFont smallFont() {
  WinFont f;
  f.first = 32;
  f.last = 34;
  f.defaultChar = 1;  // code 33
  f.pixelHeight = 3;
  f.ascent = 2;
  f.leading = 1;
  f.maxWidth = 12;
  f.face = "Tiny";
  WinGlyph narrow;
  narrow.width = 5;
  narrow.rows = {0x80, 0x40, 0x20};
  WinGlyph wide;
  wide.width = 12;
  wide.rows = {0x11, 0x10, 0x22, 0x20, 0x33, 0x30};
  f.glyphs = {narrow, wide, WinGlyph{}};
  return f;
}

}  // namespace

TEST(WindowsFont, MetricsGlyphRowsAndTheDefaultCharacter) {
  LoadedFont l;
  load(winFontBytes(smallFont()), l);
  ASSERT_NE(l.font, nullptr);
  const Font *f = l.font;
  EXPECT_STREQ(f->name, "Tiny");
  EXPECT_EQ(f->fontType, 3);
  EXPECT_EQ(f->fontWidth, 12);
  EXPECT_EQ(f->maxWidth, 12);
  EXPECT_EQ(f->maxKern, 0);
  EXPECT_EQ(f->fontHeight, 3);
  EXPECT_EQ(f->ascent, 2);
  EXPECT_EQ(f->descent, -1);
  EXPECT_EQ(f->leading, 1);
  EXPECT_EQ(f->width[32], 5);
  EXPECT_EQ(f->bitmapWidth()[32], 8);
  EXPECT_EQ(f->bitmapWidth()[33], 16);
  EXPECT_EQ(f->offset[31], -1);
  EXPECT_EQ(f->offset[35], -1);
  EXPECT_EQ(f->offset[32], 0);
  EXPECT_EQ(f->offset[33], 3);
  // The two-strip glyph now has its rows together.
  const uint8_t *wide = f->glyphBitmaps() + f->offset[33];
  const uint8_t rows[6] = {0x11, 0x10, 0x22, 0x20, 0x33, 0x30};
  EXPECT_EQ(std::memcmp(wide, rows, 6), 0);
  // Code 0 stands for every code without a glyph: here code 33.
  EXPECT_EQ(f->offset[0], f->offset[33]);
  EXPECT_EQ(f->width[0], 12);
  EXPECT_EQ(f->bitmapWidth()[0], 16);
}

TEST(WindowsFont, FixedWidthFontsAndTheGlyphBufferLimitThatStillFits) {
  WinFont w;
  w.first = 65;
  w.last = 65;
  w.pixelWidth = 16;
  w.pixelHeight = 32;
  w.maxWidth = 16;
  w.glyphs = {solidGlyph(16, 32, 0x5A)};
  LoadedFont l;
  load(winFontBytes(w), l);
  ASSERT_NE(l.font, nullptr);
  EXPECT_EQ(l.font->fontType, 2);
  EXPECT_EQ(l.font->fontWidth, 16);
  EXPECT_EQ(l.font->glyphBitmaps()[63], 0x5A);
}

TEST(WindowsFontDeathTest, AGlyphBeyondTheBufferEndsTheProgram) {
  WinFont w;
  w.first = w.last = 65;
  w.pixelHeight = 32;
  w.maxWidth = 136;
  w.glyphs = {solidGlyph(136, 32)};  // 17 bytes a row, 544 bytes
  std::vector<uint8_t> bytes = winFontBytes(w);
  EXPECT_EXIT(
      {
        LoadedFont l;
        load(bytes, l);
      },
      testing::ExitedWithCode(1), "Temporary glyph buffer is too small!!");
}

TEST(WindowsFont, HeaderErrorsAndHostileTables) {
  auto expect = [](const std::vector<uint8_t> &bytes, int error, const char *what) {
    LoadedFont l;
    load(bytes, l);
    EXPECT_EQ(l.font, nullptr) << what;
    EXPECT_EQ(l.error, error) << what;
  };
  const WinFont good = smallFont();
  std::vector<uint8_t> bytes = winFontBytes(good);
  expect(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 117), -13, "short header");
  WinFont f = good;
  f.type = 1;
  expect(winFontBytes(f), -13, "vector font");
  f = good;
  f.version = 0x0300;
  expect(winFontBytes(f), -25, "version 3");
  f = good;
  f.glyphs[1] = solidGlyph(249, 1);
  expect(winFontBytes(f), -13, "glyph wider than 248");
  // Glyph offsets that point before the first glyph or past the bitmaps.
  bytes = winFontBytes(good);
  bytes[118 + 4 + 2] = 0;
  bytes[118 + 4 + 3] = 0;
  expect(bytes, -13, "offset before the bitmaps");
  bytes = winFontBytes(good);
  bytes[118 + 8 + 2] = 0xFF;
  bytes[118 + 8 + 3] = 0x7F;
  expect(bytes, -13, "offset past the bitmaps");
  // A face name offset beyond the file would promise glyph data it lacks.
  bytes = winFontBytes(good);
  bytes[105 + 3] = 0x10;
  expect(bytes, -13, "face name beyond the file");
  bytes = winFontBytes(good);
  bytes[96] = 31;  // last before first
  expect(bytes, -13, "empty character range");
  bytes = winFontBytes(good);
  bytes.resize(118 + 6);  // character table cut short
  expect(bytes, -13, "short character table");
  bytes = winFontBytes(good);
  bytes[89] = 0x80;  // a height that does not fit the 16-bit field
  expect(bytes, -13, "height");
}

TEST(WindowsFont, AMissingFontFileIsReported) {
  EXPECT_EQ(RK_readFontFile("surely-not-here.fnt"), nullptr);
  EXPECT_EQ(RK_lastError(), -14);
}

TEST(LibraryFont, StrokeFontsLoadWithTheirName) {
  LibraryFont f;
  f.width['A'] = 7;
  f.offset['A'] =
      addStrokes(f, {strokePoint(0, 0, true), strokePoint(3, 6, false), strokePoint(6, 0, false)});
  LoadedFont l;
  load(libraryFontBytes(f), l);
  ASSERT_NE(l.font, nullptr);
  EXPECT_EQ(l.error, 0);
  EXPECT_STREQ(l.font->name, "Strokes");
  EXPECT_EQ(l.font->fontType, 1);
  EXPECT_EQ(l.font->fontHeight, 10);
  EXPECT_EQ(l.font->descent, -2);
  EXPECT_EQ(l.font->width['A'], 7);
  EXPECT_EQ(l.font->offset['A'], 0);
  EXPECT_EQ(l.font->offset['B'], -1);
  EXPECT_EQ(l.font->glyphDataSize, 8);
}

TEST(LibraryFont, ASignatureWithoutItsZeroByteIsReadAsAWindowsFont) {
  LibraryFont f;
  f.signature = "Rasterkit Font File: ";
  LoadedFont l;
  load(libraryFontBytes(f), l);
  EXPECT_EQ(l.font, nullptr);
  EXPECT_EQ(l.error, -25);  // "Ra" is no Windows 2.x version
}

TEST(LibraryFont, OverlongNamesAreCut) {
  LibraryFont f;
  f.name = std::string(200, 'N');
  LoadedFont l;
  load(libraryFontBytes(f), l);
  ASSERT_NE(l.font, nullptr);
  EXPECT_EQ(std::strlen(l.font->name), 57u);
  // A name that fills the whole header without a zero byte.
  std::vector<uint8_t> bytes = libraryFontBytes(f);
  std::memset(bytes.data() + 21, 'M', 256 - 21);
  LoadedFont m;
  load(bytes, m);
  ASSERT_NE(m.font, nullptr);
  EXPECT_EQ(std::strlen(m.font->name), 57u);
}

TEST(LibraryFont, GlyphsOutsideTheDataAreRefused) {
  auto expectCorrupt = [](const LibraryFont &f, const char *what) {
    LoadedFont l;
    load(libraryFontBytes(f), l);
    EXPECT_EQ(l.font, nullptr) << what;
    EXPECT_EQ(l.error, -13) << what;
  };
  LibraryFont f;
  f.offset['A'] = addStrokes(f, {strokePoint(1, 1, false)});
  LibraryFont g = f;
  g.offset['B'] = 4;  // past the two words
  expectCorrupt(g, "vector offset past the end");
  g = f;
  g.offset['B'] = -7;
  expectCorrupt(g, "negative offset");
  g = f;
  g.glyphData.resize(2);  // the end word is missing
  expectCorrupt(g, "unterminated strokes");

  LibraryFont b;
  b.fontType = 3;
  b.fontHeight = 4;
  b.glyphData.assign(512 + 8, 0);
  b.glyphData['A'] = 16;  // bitmapWidth: 2 bytes a row, 8 bytes
  b.offset['A'] = 0;
  LoadedFont ok;
  load(libraryFontBytes(b), ok);
  EXPECT_NE(ok.font, nullptr);
  b.offset['A'] = 1;
  expectCorrupt(b, "bitmap past the end");
  b.offset['A'] = 0;
  b.fontHeight = -4;
  expectCorrupt(b, "negative height");
  b.fontHeight = 4;
  b.glyphData.resize(100);
  b.offset['A'] = -1;
  expectCorrupt(b, "no bitmap width table");

  std::vector<uint8_t> bytes = libraryFontBytes(f);
  bytes.resize(600);
  LoadedFont shortFile;
  load(bytes, shortFile);
  EXPECT_EQ(shortFile.font, nullptr);
  EXPECT_EQ(shortFile.error, -13);
}

TEST(LibraryFont, ACallerSizeLargerThanTheFileAllocatesOnlyWhatIsThere) {
  LibraryFont f;
  f.offset['A'] = addStrokes(f, {strokePoint(1, 1, false)});
  std::vector<uint8_t> bytes = libraryFontBytes(f);
  FILE *file = portable::memoryFile(bytes.data(), bytes.size());
  ASSERT_NE(file, nullptr);
  Font *font = RK_readFontStream(file, 0, 0x7FFFFFFF);
  std::fclose(file);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->glyphDataSize, 4);
  RK_freeFont(font);
}
