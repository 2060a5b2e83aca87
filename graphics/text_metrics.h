// The current font and text settings as the text operations see them.
#pragma once

#include "graphics/rk_font.h"
#include "graphics/rk_types.h"

namespace rktext {

// The mirror of the current context, or null when no context is current.
DeviceContext *currentMirror();
// The code whose glyph and width stand for `code`: itself, or 0 when it has
// no glyph.
inline int glyphCode(const Font *font, unsigned char code) {
  return font->offset[code] == -1 ? 0 : code;
}
// Scale a by num / denom; a zero denominator counts as 1.
inline int scale(int a, int num, int denom) {
  return denom == 0 ? int(int64_t(a) * num) : int(int64_t(a) * num / denom);
}
int glyphAdvance(const Font *font, const TextSettings &ts, unsigned char code);
int measure(const Font *font, const TextSettings &ts, const char *text);

void drawBitmapText(DeviceContext *mirror, const Font *font, int x, int y, const char *text);
void drawVectorText(DeviceContext *mirror, const Font *font, int x, int y, const char *text);

}  // namespace rktext

namespace rktext {

// Text directions other than right turn the whole right-running layout
// about the reference point: a layout offset (dx, dy) lands at
// (xx * dx + xy * dy, yx * dx + yy * dy).
struct Turn {
  int xx, xy, yx, yy;
  int x(int dx, int dy) const { return xx * dx + xy * dy; }
  int y(int dx, int dy) const { return yx * dx + yy * dy; }
};
Turn turnFor(int direction);

}  // namespace rktext
