#include <algorithm>
#include <vector>

#include "graphics/rasterkit.h"
#include "graphics/text_metrics.h"

namespace rktext {

Turn turnFor(int direction) {
  switch (direction) {
    case 0:  // left: upside down, running leftwards
      return Turn{-1, 0, 0, -1};
    case 1:  // up: turned a quarter counter-clockwise
      return Turn{0, 1, -1, 0};
    case 3:  // down: turned a quarter clockwise
      return Turn{0, -1, 1, 0};
    default:
      return Turn{1, 0, 0, 1};
  }
}

namespace {

// Rows from the reference point to the top glyph row.
int topOffset(const Font *font, int vertJustify) {
  switch (vertJustify) {
    case 1:
      return -font->fontHeight / 2 + 1;
    case 2:
      return -font->fontHeight + 1;
    case 3:
      return -font->ascent + 1;
    default:
      return 1;
  }
}

int justifyOffset(int width, int horizJustify) {
  switch (horizJustify) {
    case 1:
      return -width / 2;
    case 2:
      return -width;
    default:
      return 0;
  }
}

// Turns a glyph of `rowBytes` x `rows` (at layout offset (px, py)) into
// `out`, and gives where its top-left corner lands and its row size.
void turnGlyph(const Turn &t, const uint8_t *glyph, int rowBytes, int rows, int px, int py,
               std::vector<uint8_t> &out, int *left, int *top, int *outRowBytes, int *outRows) {
  const int cols = rowBytes * 8;
  const int x0 = t.x(px, py), x1 = t.x(px + cols - 1, py + rows - 1);
  const int y0 = t.y(px, py), y1 = t.y(px + cols - 1, py + rows - 1);
  *left = std::min(x0, x1);
  *top = std::min(y0, y1);
  const int width = std::abs(x1 - x0) + 1, height = std::abs(y1 - y0) + 1;
  *outRowBytes = (width + 7) / 8;
  *outRows = height;
  out.assign(size_t(*outRowBytes) * size_t(height), 0);
  for (int gy = 0; gy < rows; ++gy) {
    const uint8_t *row = glyph + size_t(gy) * size_t(rowBytes);
    for (int gx = 0; gx < cols; ++gx) {
      if (!((row[gx >> 3] << (gx & 7)) & 0x80)) continue;
      int X = t.x(px + gx, py + gy) - *left, Y = t.y(px + gx, py + gy) - *top;
      out[size_t(Y) * size_t(*outRowBytes) + size_t(X >> 3)] |= uint8_t(0x80u >> (X & 7));
    }
  }
}

}  // namespace

void drawBitmapText(DeviceContext *mirror, const Font *font, int x, int y, const char *text) {
  auto *put = mirror->driver.putMonoImage;
  if (!put) return;
  const TextSettings &ts = mirror->attributes.text;
  const int top = topOffset(font, ts.vertJustify);
  int pen = justifyOffset(measure(font, ts, text), ts.horizJustify);
  const Turn turn = turnFor(ts.direction);
  const bool right = ts.direction != 0 && ts.direction != 1 && ts.direction != 3;
  const uint8_t *bitmapWidth = font->bitmapWidth();
  const uint8_t *bitmaps = font->glyphBitmaps();
  const int64_t bitmapBytes = int64_t(font->glyphDataSize) - RK_FontBitmapTableBytes;
  std::vector<uint8_t> turned;
  for (const char *p = text; *p; ++p) {
    const int code = glyphCode(font, static_cast<unsigned char>(*p));
    const int rowBytes = bitmapWidth[code] / 8;
    const int rows = font->fontHeight;
    const int64_t at = font->offset[code];
    // A glyph that is not all there is left out rather than read past.
    if (rowBytes && rows > 0 && at >= 0 && at + int64_t(rowBytes) * rows <= bitmapBytes) {
      const uint8_t *glyph = bitmaps + at;
      if (right) {
        put(mirror, x + pen, y + top, rowBytes, rows, glyph);
      } else {
        int left, upper, turnedRowBytes, turnedRows;
        turnGlyph(turn, glyph, rowBytes, rows, pen, top, turned, &left, &upper, &turnedRowBytes, &turnedRows);
        put(mirror, x + left, y + upper, turnedRowBytes, turnedRows, turned.data());
      }
    }
    pen += font->width[code];
  }
}

}  // namespace rktext

void RK_drawTextAt(int x, int y, const char *text) {
  DeviceContext *mirror = rktext::currentMirror();
  if (!mirror || !text) return;
  const Font *font = mirror->attributes.text.font;
  if (!font) return;
  x += mirror->attributes.viewport.left;
  y += mirror->attributes.viewport.top;
  switch (font->fontType) {
    case RK_FontVector:
      rktext::drawVectorText(mirror, font, x, y, text);
      break;
    case RK_FontFixed:
    case RK_FontProportional:
      rktext::drawBitmapText(mirror, font, x, y, text);
      break;
    default:
      break;
  }
}
