#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {
constexpr int kErrInvalidFont = -12;
constexpr int kErrNoContext = -17;
constexpr int kDirectionRight = 2;

// Text settings live in the current context's mirror; with no context current
// there is nowhere to keep them.
TextSettings *currentText() {
  if (!RK_currentContext()) return nullptr;
  DeviceContext *mirror = RK_currentMirror();
  return mirror ? &mirror->attributes.text : nullptr;
}
}  // namespace

int RK_selectFont(const Font *font) {
  RK_setLastError(0);
  if (!font) return 1;
  if (font->fontType < 0 || font->fontType > 3) {
    RK_setLastError(kErrInvalidFont);
    return 0;
  }
  TextSettings *text = currentText();
  if (!text) {
    RK_setLastError(kErrNoContext);
    return 0;
  }
  text->direction = kDirectionRight;
  text->font = font;
  return 1;
}

void RK_applyTextSettings(const TextSettings *ts) {
  TextSettings *text = currentText();
  if (!ts || !text) return;
  // Settings without a font leave the context without one. A font is
  // otherwise set only through RK_selectFont, which checks it: one it
  // refuses leaves the previous font in place rather than a record that
  // every text operation would read as a font.
  const Font *previous = text->font;
  *text = *ts;
  text->font = ts->font ? previous : nullptr;
  RK_selectFont(ts->font);
  text->direction = ts->direction;
}
