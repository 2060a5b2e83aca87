// Selecting fonts, measuring and drawing text: placement, justification,
// the default character, the four directions and vector fonts.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "common/portable.h"
#include "font_writers.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"
#include "image_context.h"

using namespace testfiles;

namespace {

Font *loadFont(std::vector<uint8_t> bytes) {
  FILE *f = portable::memoryFile(bytes.data(), bytes.size());
  Font *font = RK_readFontStream(f, 0, long(bytes.size()));
  std::fclose(f);
  return font;
}

// Codes 32 .. 126; default character 31 (code 63). Glyph c is 6 pixels
// wide, 5 rows: its top row full, then a single pixel at column c % 5.
Font *asciiFont(int pixelWidth = 0) {
  WinFont w;
  w.first = 32;
  w.last = 126;
  w.defaultChar = 31;
  w.pixelWidth = pixelWidth;
  w.pixelHeight = 5;
  w.ascent = 4;
  w.maxWidth = 6;
  for (int c = 32; c <= 126; ++c) {
    WinGlyph g;
    g.width = c == 'Z' ? 0 : 6;
    g.rows = {0xFC, uint8_t(0x80 >> (c % 5)), 0, 0, 0};
    w.glyphs.push_back(g);
  }
  return loadFont(winFontBytes(w));
}

struct FontHolder {
  Font *font;
  explicit FontHolder(Font *f) : font(f) {}
  ~FontHolder() { RK_freeFont(font); }
};

std::set<std::pair<int, int>> inkOf(const TestContext &ctx) {
  std::set<std::pair<int, int>> ink;
  for (int y = 0; y <= ctx.live()->maxY; ++y)
    for (int x = 0; x <= ctx.live()->maxX; ++x)
      if (ctx.at(x, y)) ink.insert({x, y});
  return ink;
}

void drawWith(TestContext &ctx, const Font *font, int direction, int h, int v, int x, int y,
              const char *text) {
  RK_selectContext(ctx.dc);
  RK_selectFont(font);
  ctx.live()->attributes.text.direction = direction;
  ctx.live()->attributes.text.horizJustify = h;
  ctx.live()->attributes.text.vertJustify = v;
  RK_setDrawColor(9);
  RK_drawTextAt(x, y, text);
}

}  // namespace

TEST(TextDraw, TopLeftTextPutsTheFirstInkRowAtRowOne) {
  FontHolder f(asciiFont());
  ASSERT_NE(f.font, nullptr);
  TestContext ctx(40, 10);
  drawWith(ctx, f.font, 2, 0, 0, 0, 0, "AB");
  for (int x = 0; x < 40; ++x) EXPECT_EQ(ctx.at(x, 0), 0u);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(ctx.at(x, 1), 9u) << x;
  EXPECT_EQ(ctx.at(6 + 1, 2), 9u);  // 'B' (66) has its dot at column 1
  EXPECT_EQ(ctx.at(0 + 0, 2), 9u);  // 'A' (65) at column 0
  EXPECT_EQ(ctx.inked(), 2 * 7);
}

TEST(TextDraw, JustificationMovesTheTextAroundThePoint) {
  FontHolder f(asciiFont());
  struct Case {
    int h, v, left, top;
  } cases[] = {{0, 0, 20, 11}, {1, 0, 14, 11}, {2, 0, 8, 11}, {0, 1, 20, 9}, {0, 2, 20, 6}, {0, 3, 20, 7}};
  for (const Case &c : cases) {
    TestContext ctx(40, 20);
    drawWith(ctx, f.font, 2, c.h, c.v, 20, 10, "AB");
    auto ink = inkOf(ctx);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink.begin()->first, c.left) << c.h << "/" << c.v;
    int top = 99;
    for (auto &p : ink) top = std::min(top, p.second);
    EXPECT_EQ(top, c.top) << c.h << "/" << c.v;
  }
}

TEST(TextDraw, CodesWithoutAGlyphUseTheDefaultCharacter) {
  FontHolder f(asciiFont());
  TestContext question(20, 8), newline(20, 8), high(20, 8);
  drawWith(question, f.font, 2, 0, 0, 0, 0, "?");
  drawWith(newline, f.font, 2, 0, 0, 0, 0, "\n");
  drawWith(high, f.font, 2, 0, 0, 0, 0, "\xC8");
  EXPECT_EQ(inkOf(question), inkOf(newline));
  EXPECT_EQ(inkOf(question), inkOf(high));
  EXPECT_EQ(RK_measureText("\n"), 6);
}

TEST(TextDraw, AZeroWidthGlyphDrawsNothingAndDoesNotAdvance) {
  FontHolder f(asciiFont());
  TestContext a(20, 8), za(20, 8);
  drawWith(a, f.font, 2, 0, 0, 0, 0, "A");
  drawWith(za, f.font, 2, 0, 0, 0, 0, "ZA");
  EXPECT_EQ(inkOf(a), inkOf(za));
}

TEST(TextDraw, MeasuringFixedAndProportionalFonts) {
  FontHolder fixed(asciiFont(8)), proportional(asciiFont());
  TestContext ctx(4, 4);
  RK_selectContext(ctx.dc);
  EXPECT_EQ(RK_measureText("abc"), 0);  // no font yet
  EXPECT_EQ(RK_glyphAdvance('a'), 0);
  ASSERT_EQ(RK_selectFont(fixed.font), 1);
  EXPECT_EQ(RK_measureText("abc"), 24);
  EXPECT_EQ(RK_glyphAdvance('a'), 8);
  ASSERT_EQ(RK_selectFont(proportional.font), 1);
  ctx.live()->attributes.text.spaceExtra = 2;
  EXPECT_EQ(RK_measureText("abZ"), 6 + 6 + 0 + 3 * 2);
  EXPECT_EQ(RK_glyphAdvance('Z'), 2);
  EXPECT_EQ(RK_measureText(nullptr), 0);
}

TEST(TextDraw, SelectingFontsAndApplyingSettings) {
  FontHolder f(asciiFont());
  TestContext ctx(4, 4);
  RK_selectContext(ctx.dc);
  TextSettings &text = ctx.live()->attributes.text;
  ASSERT_EQ(RK_selectFont(f.font), 1);
  text.direction = 1;
  ASSERT_EQ(RK_selectFont(f.font), 1);
  EXPECT_EQ(text.direction, 2);
  Font bad = *f.font;
  bad.fontType = 4;
  EXPECT_EQ(RK_selectFont(&bad), 0);
  EXPECT_EQ(RK_lastError(), -12);
  EXPECT_EQ(text.font, f.font);
  EXPECT_EQ(RK_selectFont(nullptr), 1);
  EXPECT_EQ(text.font, f.font);

  TextSettings ts{1, 3, 3, 2, 3, 1, 1, 5, &bad};
  RK_applyTextSettings(&ts);
  EXPECT_EQ(text.horizJustify, 1);
  EXPECT_EQ(text.vertJustify, 3);
  EXPECT_EQ(text.direction, 3);
  EXPECT_EQ(text.spaceExtra, 5);
  EXPECT_EQ(text.font, f.font);  // the bad font never becomes current
  ts.font = f.font;
  RK_applyTextSettings(&ts);
  EXPECT_EQ(text.direction, 3);
  // Text settings travel with the context.
  RK_selectContext(nullptr);
  EXPECT_EQ(ctx.dc->attributes.text.font, f.font);
}

TEST(TextDraw, SettingsWithoutAFontLeaveTheContextWithoutOne) {
  FontHolder f(asciiFont());
  TestContext ctx(40, 20);
  RK_selectContext(ctx.dc);
  ASSERT_EQ(RK_selectFont(f.font), 1);
  const TextSettings ts{0, 0, 2, 1, 1, 1, 1, 0, nullptr};
  RK_applyTextSettings(&ts);
  EXPECT_EQ(ctx.live()->attributes.text.font, nullptr);
  EXPECT_EQ(RK_measureText("AB"), 0);
  RK_setDrawColor(9);
  RK_drawTextAt(0, 0, "AB");
  EXPECT_EQ(ctx.inked(), 0);
}

TEST(TextDraw, OtherDirectionsTurnTheWholeTextAboutThePoint) {
  FontHolder f(asciiFont());
  TestContext right(80, 80);
  drawWith(right, f.font, 2, 0, 0, 40, 40, "AB?");
  const auto reference = inkOf(right);
  struct Case {
    int direction, xx, xy, yx, yy;
  } cases[] = {{0, -1, 0, 0, -1}, {1, 0, 1, -1, 0}, {3, 0, -1, 1, 0}};
  for (const Case &c : cases) {
    TestContext turned(80, 80);
    drawWith(turned, f.font, c.direction, 0, 0, 40, 40, "AB?");
    std::set<std::pair<int, int>> expected;
    for (auto [x, y] : reference) {
      int dx = x - 40, dy = y - 40;
      expected.insert({40 + c.xx * dx + c.xy * dy, 40 + c.yx * dx + c.yy * dy});
    }
    EXPECT_EQ(inkOf(turned), expected) << "direction " << c.direction;
  }
  // Direction up really runs upwards: the second glyph sits above the first.
  TestContext up(80, 80);
  drawWith(up, f.font, 1, 0, 0, 40, 40, "AB");
  int highest = 80, lowest = 0;
  for (auto [x, y] : inkOf(up)) {
    highest = std::min(highest, y);
    lowest = std::max(lowest, y);
  }
  EXPECT_EQ(lowest, 40);
  EXPECT_EQ(highest, 40 - 11);
}

TEST(TextDraw, TextAtTheEdgesIsClipped) {
  FontHolder f(asciiFont());
  TestContext ctx(10, 4);
  for (int direction : {0, 1, 2, 3}) {
    drawWith(ctx, f.font, direction, 0, 0, -3, -2, "ABCDEFG");
    drawWith(ctx, f.font, direction, 2, 2, 9, 3, "ABCDEFG");
    drawWith(ctx, f.font, direction, 1, 1, 1 << 30, -(1 << 30), "ABCDEFG");
  }
  EXPECT_GT(ctx.inked(), 0);
}

TEST(VectorText, StrokesFollowTheBaselineScaleAndDirection) {
  LibraryFont lf;
  lf.ascent = 8;
  lf.descent = -2;
  lf.width['L'] = 6;
  // An L: down the stem from the top, then along the baseline.
  lf.offset['L'] =
      addStrokes(lf, {strokePoint(0, 4, true), strokePoint(0, 0, false), strokePoint(4, 0, false)});
  FontHolder f(loadFont(libraryFontBytes(lf)));
  ASSERT_NE(f.font, nullptr);
  TestContext ctx(40, 40);
  drawWith(ctx, f.font, 2, 0, 3, 10, 20, "L");  // baseline at y 20
  std::set<std::pair<int, int>> expected;
  for (int y = 16; y <= 20; ++y) expected.insert({10, y});
  for (int x = 10; x <= 14; ++x) expected.insert({x, 20});
  EXPECT_EQ(inkOf(ctx), expected);
  EXPECT_EQ(RK_glyphAdvance('L'), 6);

  // Scaled by 2 horizontally; top justification puts the baseline at y + 8.
  TestContext scaled(40, 40);
  RK_selectContext(scaled.dc);
  RK_selectFont(f.font);
  TextSettings &t = scaled.live()->attributes.text;
  t.sizeNumX = 2;
  RK_setDrawColor(9);
  RK_drawTextAt(10, 0, "L");
  EXPECT_EQ(scaled.at(18, 8), 9u);
  EXPECT_EQ(scaled.at(10, 4), 9u);
  EXPECT_EQ(scaled.at(19, 8), 0u);
  EXPECT_EQ(RK_glyphAdvance('L'), 12);
  t.sizeDenomX = 0;  // no division by zero
  EXPECT_EQ(RK_glyphAdvance('L'), 12);

  // Direction up: the stem lies along x, the foot goes upwards.
  TestContext up(40, 40);
  drawWith(up, f.font, 1, 0, 3, 20, 20, "L");
  EXPECT_EQ(up.at(16, 20), 9u);
  EXPECT_EQ(up.at(20, 16), 9u);
  EXPECT_EQ(up.inked(), 9);
}

// Text running up or down measures its baseline offset with the x and y
// scale factors exchanged; the glyph keeps its own proportions.
TEST(VectorText, UpAndDownTextPlaceTheBaselineWithTheExchangedFactors) {
  LibraryFont lf;
  lf.ascent = 8;
  lf.descent = -2;
  lf.width['L'] = 6;
  lf.offset['L'] =
      addStrokes(lf, {strokePoint(0, 4, true), strokePoint(0, 0, false), strokePoint(4, 0, false)});
  FontHolder f(loadFont(libraryFontBytes(lf)));
  ASSERT_NE(f.font, nullptr);
  auto draw = [&](TestContext &ctx, int direction, int vertJustify, int x, int y) {
    RK_selectContext(ctx.dc);
    RK_selectFont(f.font);
    TextSettings &t = ctx.live()->attributes.text;
    t.direction = direction;
    t.vertJustify = vertJustify;
    t.sizeNumX = 2;
    t.sizeDenomX = 1;
    t.sizeNumY = 3;
    t.sizeDenomY = 2;
    RK_setDrawColor(9);
    RK_drawTextAt(x, y, "L");
  };
  // Up, top justification: the baseline lies 8 * 2 / 1 = 16 columns right
  // of the point. The stem (4 * 3 / 2 = 6 long) runs back towards it, the
  // foot (4 * 2 = 8 long) upwards.
  TestContext up(40, 40);
  draw(up, 1, 0, 10, 30);
  std::set<std::pair<int, int>> expected;
  for (int x = 20; x <= 26; ++x) expected.insert({x, 30});
  for (int y = 22; y <= 30; ++y) expected.insert({26, y});
  EXPECT_EQ(inkOf(up), expected);

  // Down, centre justification: (descent' + ascent' + 1) / 2 with
  // descent' = -2 * 2 = -4 and ascent' = 16 puts the baseline 6 columns
  // left of the point.
  TestContext down(40, 40);
  draw(down, 3, 1, 20, 10);
  expected.clear();
  for (int x = 14; x <= 20; ++x) expected.insert({x, 10});
  for (int y = 10; y <= 18; ++y) expected.insert({14, y});
  EXPECT_EQ(inkOf(down), expected);
}

TEST(VectorText, GlyphsCrossingTheClipAreCutEvenWhenTheFontUnderstatesThem) {
  LibraryFont lf;
  lf.maxWidth = 1;  // the strokes reach much further
  lf.width['-'] = 2;
  lf.offset['-'] = addStrokes(lf, {strokePoint(-60, 0, true), strokePoint(60, 0, false)});
  FontHolder f(loadFont(libraryFontBytes(lf)));
  ASSERT_NE(f.font, nullptr);
  TestContext ctx(30, 10);
  ctx.clipTo(5, 0, 25, 10);
  drawWith(ctx, f.font, 2, 0, 3, 15, 5, "-");
  EXPECT_EQ(ctx.inked(), 20);
  EXPECT_EQ(ctx.at(4, 5), 0u);
  EXPECT_EQ(ctx.at(25, 5), 0u);
  // A thick pen (two rows here) is cut by the clip as well.
  ctx.live()->attributes.penHeight = 1;
  RK_drawTextAt(15, 6, "-");
  EXPECT_EQ(ctx.inked(), 20 + 2 * 20);
}
