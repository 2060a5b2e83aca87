#include <algorithm>
#include <cstring>

#include "graphics/rasterkit.h"
#include "graphics/text_metrics.h"

namespace rktext {

DeviceContext *currentMirror() {
  return RK_currentContext() ? RK_currentMirror() : nullptr;
}

int glyphAdvance(const Font *font, const TextSettings &ts, unsigned char code) {
  const int c = glyphCode(font, code);
  switch (font->fontType) {
    case RK_FontVector:
      return scale(font->width[c], ts.sizeNumX, ts.sizeDenomX) + ts.spaceExtra;
    case RK_FontFixed:
      return font->fontWidth;
    case RK_FontProportional:
      return font->width[c] + ts.spaceExtra;
    default:
      return 0;
  }
}

int measure(const Font *font, const TextSettings &ts, const char *text) {
  if (!font || !text) return 0;
  int64_t total = 0;
  switch (font->fontType) {
    case RK_FontVector:
    case RK_FontProportional:
      for (const char *p = text; *p; ++p) total += glyphAdvance(font, ts, static_cast<unsigned char>(*p));
      break;
    case RK_FontFixed:
      total = int64_t(std::strlen(text)) * font->fontWidth;
      break;
    default:
      break;
  }
  return int(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
}

}  // namespace rktext

int RK_glyphAdvance(char c) {
  DeviceContext *mirror = rktext::currentMirror();
  if (!mirror || !mirror->attributes.text.font) return 0;
  return rktext::glyphAdvance(mirror->attributes.text.font, mirror->attributes.text,
                              static_cast<unsigned char>(c));
}

int RK_measureText(const char *text) {
  DeviceContext *mirror = rktext::currentMirror();
  if (!mirror) return 0;
  return rktext::measure(mirror->attributes.text.font, mirror->attributes.text, text);
}
