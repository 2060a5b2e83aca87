#include <algorithm>
#include <climits>
#include <vector>

#include "graphics/image_driver_ops.h"
#include "graphics/image_pixels.h"
#include "graphics/text_metrics.h"

namespace rktext {
namespace {

struct Stroke {
  int x, y;   // scaled, y upwards from the baseline
  bool move;  // move to the point instead of drawing to it
};

int signed7(unsigned v) {
  return (v & 0x40u) ? int(v) - 128 : int(v);
}

// The glyph's points, scaled; reading stops at the end of the glyph data.
void readStrokes(const Font *font, int code, const TextSettings &ts, std::vector<Stroke> &out) {
  out.clear();
  int64_t at = font->offset[code];
  if (at < 0) return;
  const uint8_t *data = font->glyphData();
  for (; at + 2 <= font->glyphDataSize; at += 2) {
    const unsigned word = data[at] | (unsigned(data[at + 1]) << 8);
    if (!(word & 1u)) break;
    out.push_back(Stroke{scale(signed7((word >> 1) & 0x7Fu), ts.sizeNumX, ts.sizeDenomX),
                         scale(signed7((word >> 9) & 0x7Fu), ts.sizeNumY, ts.sizeDenomY),
                         (word & 0x100u) != 0});
  }
}

// The baseline's distance from the reference point, along the axis across
// the text. Up and down text exchange the two scale factors for it.
int baselineOffset(const Font *font, const TextSettings &ts) {
  const bool turned = ts.direction == 1 || ts.direction == 3;
  const int num = turned ? ts.sizeNumX : ts.sizeNumY;
  const int denom = turned ? ts.sizeDenomX : ts.sizeDenomY;
  const int ascent = scale(font->ascent, num, denom);
  const int descent = scale(font->descent, num, denom);
  switch (ts.vertJustify) {
    case 0:
      return ascent;
    case 1:
      return (descent + ascent + 1) / 2;
    case 2:
      return descent;
    default:
      return 0;
  }
}

}  // namespace

void drawVectorText(DeviceContext *mirror, const Font *font, int x, int y, const char *text) {
  const TextSettings &ts = mirror->attributes.text;
  const ContextAttributes &a = mirror->attributes;
  const bool thick = a.penStyle != 0 || a.penWidth > 0 || a.penHeight > 0;
  const int base = baselineOffset(font, ts);
  int pen = 0;
  switch (ts.horizJustify) {
    case 1:
      pen = -measure(font, ts, text) / 2;
      break;
    case 2:
      pen = -measure(font, ts, text);
      break;
    default:
      break;
  }
  const Turn turn = turnFor(ts.direction);
  const RK_Rect area = rkimg::drawableRect(mirror);
  std::vector<Stroke> strokes;
  for (const char *p = text; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    readStrokes(font, glyphCode(font, c), ts, strokes);
    auto screenX = [&](const Stroke &s) { return x + turn.x(pen + s.x, base - s.y); };
    auto screenY = [&](const Stroke &s) { return y + turn.y(pen + s.x, base - s.y); };
    // The box comes from the glyph's own points, not from the font's
    // recorded extents, so the unclipped path can trust it.
    const Stroke origin{0, 0, true};
    int64_t minX = screenX(origin), maxX = minX, minY = screenY(origin), maxY = minY;
    for (const Stroke &s : strokes) {
      minX = std::min<int64_t>(minX, screenX(s));
      maxX = std::max<int64_t>(maxX, screenX(s));
      minY = std::min<int64_t>(minY, screenY(s));
      maxY = std::max<int64_t>(maxY, screenY(s));
    }
    maxX += std::max(a.penWidth, 0);
    maxY += std::max(a.penHeight, 0);
    const bool inside = minX >= area.left && maxX < area.right && minY >= area.top && maxY < area.bottom;
    const bool outside = maxX < area.left || minX >= area.right || maxY < area.top || minY >= area.bottom;
    if (!strokes.empty() && !outside) {
      Stroke previous = origin;
      for (const Stroke &s : strokes) {
        if (!s.move) {
          const int x0 = screenX(previous), y0 = screenY(previous), x1 = screenX(s), y1 = screenY(s);
          if (inside && !thick)
            rkimg::drawLineInside(mirror, x0, y0, x1, y1);
          else if (mirror->driver.drawLine)
            mirror->driver.drawLine(mirror, x0, y0, x1, y1);
        }
        previous = s;
      }
    }
    pen += glyphAdvance(font, ts, c);
  }
}

}  // namespace rktext
