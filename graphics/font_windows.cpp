#include "graphics/font_windows.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kErrCorrupted = -13;
constexpr int kErrVersion = -25;
constexpr int kHeaderBytes = 118;
// Wider glyphs round to 256 pixels, which no longer fits a width byte.
constexpr int kMaxGlyphWidth = 248;

uint16_t le16(const uint8_t *p) {
  return uint16_t(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t *p) {
  return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Turns one glyph from 8-pixel strips (each `rows` bytes, top to bottom) into
// rows of `stripCount` bytes.
void stripsToRows(uint8_t *glyph, int stripCount, int rows) {
  if (stripCount <= 1) return;
  uint8_t buffer[RK_GlyphBufferBytes];
  const int bytes = stripCount * rows;
  std::memcpy(buffer, glyph, size_t(bytes));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < stripCount; ++c) glyph[r * stripCount + c] = buffer[c * rows + r];
}

}  // namespace

int RK_planWindowsFont(FILE *file, long offset, long available, WindowsFontPlan *plan) {
  std::memset(plan, 0, sizeof *plan);
  uint8_t header[kHeaderBytes];
  if (std::fseek(file, offset, SEEK_SET) != 0 || std::fread(header, 1, sizeof header, file) != sizeof header)
    return kErrCorrupted;
  if (le16(header + 66) != 0) return kErrCorrupted;
  if (le16(header + 0) != 0x0200) return kErrVersion;
  plan->ascent = le16(header + 74);
  plan->leading = le16(header + 78);
  plan->pixelWidth = le16(header + 86);
  plan->pixelHeight = le16(header + 88);
  plan->maxWidth = le16(header + 93);
  plan->first = header[95];
  plan->last = header[96];
  plan->defaultChar = header[97];
  plan->faceOffset = long(le32(header + 105));
  plan->bitsOffset = long(le32(header + 113));
  // Metrics must fit the Font's 16-bit fields; the glyph bitmaps must lie
  // inside the file.
  if (plan->pixelHeight > INT16_MAX || plan->pixelWidth > INT16_MAX || plan->maxWidth > INT16_MAX ||
      plan->ascent > INT16_MAX || plan->leading > INT16_MAX)
    return kErrCorrupted;
  if (plan->last < plan->first) return kErrCorrupted;
  if (plan->bitsOffset > plan->faceOffset || plan->faceOffset > available) return kErrCorrupted;
  plan->glyphBytes = plan->faceOffset - plan->bitsOffset;

  const int count = plan->last - plan->first + 1;
  std::vector<uint8_t> table(size_t(count) * 4);
  if (std::fread(table.data(), 1, table.size(), file) != table.size()) return kErrCorrupted;
  for (int c = 0; c < 256; ++c) plan->offset[c] = -1;
  const long base = le16(table.data() + 2);
  const int h = plan->pixelHeight;
  for (int i = 0; i < count; ++i) {
    const int code = plan->first + i;
    const int w = table[size_t(i) * 4];
    // The running total of the glyph-offset differences telescopes to this.
    const long relative = long(le16(table.data() + size_t(i) * 4 + 2)) - base;
    const int strips = (w + 7) / 8;
    const long bytes = long(strips) * h;
    if (w > kMaxGlyphWidth) return kErrCorrupted;
    if (strips > 1 && bytes > RK_GlyphBufferBytes) {
      plan->glyphTooLarge = true;
      return 0;
    }
    if (relative < 0 || relative > INT16_MAX || relative + bytes > plan->glyphBytes) return kErrCorrupted;
    plan->width[code] = uint8_t(w);
    plan->offset[code] = int16_t(relative);
  }
  return 0;
}

Font *RK_buildWindowsFont(FILE *file, long offset, const WindowsFontPlan &plan) {
  Font *font = RK_allocateFont(RK_FontBitmapTableBytes + plan.glyphBytes);
  if (!font) return nullptr;
  if (std::fseek(file, offset + plan.faceOffset, SEEK_SET) == 0) {
    size_t got = std::fread(font->name, 1, sizeof font->name, file);
    (void)got;  // a missing name stays empty
  }
  font->name[sizeof font->name - 1] = '\0';
  const bool fixed = plan.pixelWidth != 0;
  font->fontType = int16_t(fixed ? 2 : 3);
  font->fontWidth = int16_t(fixed ? plan.pixelWidth : plan.maxWidth);
  font->maxWidth = int16_t(plan.maxWidth);
  font->maxKern = 0;
  font->fontHeight = int16_t(plan.pixelHeight);
  font->ascent = int16_t(plan.ascent);
  font->descent = int16_t(plan.ascent - plan.pixelHeight);
  font->leading = int16_t(plan.leading);
  uint8_t *bitmaps = font->glyphBitmaps();
  // Glyph bytes the file does not deliver stay zero (no ink).
  if (plan.glyphBytes > 0 && std::fseek(file, offset + plan.bitsOffset, SEEK_SET) == 0) {
    size_t got = std::fread(bitmaps, 1, size_t(plan.glyphBytes), file);
    (void)got;
  }
  uint8_t *bitmapWidth = font->bitmapWidth();
  // Codes that share a glyph must not re-order it twice.
  std::vector<bool> reordered(size_t(plan.glyphBytes) + 1, false);
  for (int c = 0; c < 256; ++c) {
    font->offset[c] = plan.offset[c];
    if (plan.offset[c] < 0) continue;
    font->width[c] = plan.width[c];
    bitmapWidth[c] = uint8_t((plan.width[c] + 7) & ~7);
    const int strips = bitmapWidth[c] / 8;
    if (strips > 1 && !reordered[size_t(plan.offset[c])]) {
      stripsToRows(bitmaps + plan.offset[c], strips, plan.pixelHeight);
      reordered[size_t(plan.offset[c])] = true;
    }
  }
  const int fallback = plan.first + plan.defaultChar;
  if (fallback <= 255) {
    font->width[0] = font->width[fallback];
    bitmapWidth[0] = bitmapWidth[fallback];
    bitmapWidth[256] = bitmapWidth[256 + fallback];
    font->offset[0] = font->offset[fallback];
  }
  return font;
}
