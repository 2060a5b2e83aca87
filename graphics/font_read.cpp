#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/font_windows.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {

constexpr int kErrNoMemory = -5;
constexpr int kErrCorrupted = -13;
constexpr int kErrNotFound = -14;
constexpr char kSignature[] = "Rasterkit Font File:";
constexpr long kHeaderBytes = 256;
// Font fields from fontType to the end of the offset table, as stored.
constexpr long kFieldBytes = 16 + 256 + 512;
// Glyph data beyond what a 16-bit offset can reach (plus the bitmap tables
// and a last glyph) is never used; larger files are refused.
constexpr long kMaxGlyphData = RK_FontBitmapTableBytes + 32768 + 65536;

int16_t le16(const uint8_t *p) {
  return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

Font *fail(int code) {
  RK_setLastError(code);
  return nullptr;
}

// Every glyph a library font names must lie inside its glyph data.
bool glyphsInside(const Font *font) {
  const long size = font->glyphDataSize;
  const uint8_t *data = font->glyphData();
  switch (font->fontType) {
    case RK_FontVector:
      for (int c = 0; c < 256; ++c) {
        long at = font->offset[c];
        if (at == -1) continue;
        if (at < 0) return false;
        // The strokes end with the first word whose bit 0 is clear.
        for (;; at += 2) {
          if (at + 2 > size) return false;
          if (!(data[at] & 1)) break;
        }
      }
      return true;
    case RK_FontFixed:
    case RK_FontProportional: {
      if (size < RK_FontBitmapTableBytes || font->fontHeight < 0) return false;
      const long bitmapBytes = size - RK_FontBitmapTableBytes;
      for (int c = 0; c < 256; ++c) {
        long at = font->offset[c];
        if (at == -1) continue;
        long rowBytes = font->bitmapWidth()[c] / 8;
        if (at < 0 || at + rowBytes * font->fontHeight > bitmapBytes) return false;
      }
      return true;
    }
    default:
      return true;  // never drawn
  }
}

Font *readLibraryFont(FILE *file, long offset, long available, const uint8_t *header) {
  if (available < kHeaderBytes + kFieldBytes) return fail(kErrCorrupted);
  const long glyphBytes = available - kHeaderBytes - kFieldBytes;
  if (glyphBytes > kMaxGlyphData) return fail(kErrCorrupted);
  Font *font = RK_allocateFont(glyphBytes);
  if (!font) return fail(kErrNoMemory);
  // The name field may run up to the end of the header; keep what fits.
  const char *name = reinterpret_cast<const char *>(header) + sizeof kSignature;
  const size_t room = size_t(kHeaderBytes) - sizeof kSignature;
  const void *end = std::memchr(name, '\0', room);
  size_t nameLength = end ? size_t(static_cast<const char *>(end) - name) : room;
  if (nameLength > sizeof font->name - 1) nameLength = sizeof font->name - 1;
  std::memcpy(font->name, name, nameLength);
  font->name[nameLength] = '\0';

  uint8_t fields[kFieldBytes] = {};
  if (std::fseek(file, offset + kHeaderBytes, SEEK_SET) != 0 ||
      std::fread(fields, 1, sizeof fields, file) != sizeof fields) {
    RK_freeFont(font);
    return fail(kErrCorrupted);
  }
  font->fontType = le16(fields + 0);
  font->maxWidth = le16(fields + 2);
  font->maxKern = le16(fields + 4);
  font->fontWidth = le16(fields + 6);
  font->fontHeight = le16(fields + 8);
  font->ascent = le16(fields + 10);
  font->descent = le16(fields + 12);
  font->leading = le16(fields + 14);
  std::memcpy(font->width, fields + 16, 256);
  for (int c = 0; c < 256; ++c) font->offset[c] = le16(fields + 272 + 2 * c);
  if (glyphBytes > 0) {
    size_t got = std::fread(font->glyphData(), 1, size_t(glyphBytes), file);
    (void)got;  // glyph data the file does not deliver stays zero
  }
  if (!glyphsInside(font)) {
    RK_freeFont(font);
    return fail(kErrCorrupted);
  }
  return font;
}

}  // namespace

Font *RK_allocateFont(long glyphDataSize) {
  if (glyphDataSize < 0 || glyphDataSize > INT32_MAX - long(sizeof(Font))) return nullptr;
  auto *font = static_cast<Font *>(std::calloc(1, sizeof(Font) + size_t(glyphDataSize)));
  if (font) font->glyphDataSize = int32_t(glyphDataSize);
  return font;
}

void RK_freeFont(Font *font) {
  std::free(font);
}

Font *RK_readFontStream(FILE *file, long offset, long size) {
  RK_setLastError(0);
  if (!file || offset < 0) return fail(kErrCorrupted);
  // Trust the caller's size only as far as the file really goes.
  long available = size - offset;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    long end = std::ftell(file);
    if (end >= 0 && end - offset < available) available = end - offset;
  }
  if (available < 0) available = 0;
  uint8_t header[kHeaderBytes] = {};
  if (std::fseek(file, offset, SEEK_SET) != 0) return fail(kErrCorrupted);
  size_t got = std::fread(header, 1, sizeof header, file);
  if (got >= sizeof kSignature && std::memcmp(header, kSignature, sizeof kSignature) == 0)
    return readLibraryFont(file, offset, available, header);

  WindowsFontPlan plan;
  int error = RK_planWindowsFont(file, offset, available, &plan);
  if (error) return fail(error);
  if (plan.glyphTooLarge) RK_reportFatal("Temporary glyph buffer is too small!!");
  Font *font = RK_buildWindowsFont(file, offset, plan);
  if (!font) return fail(kErrNoMemory);
  return font;
}

Font *RK_readFontFile(const char *name) {
  RK_setLastError(0);
  char path[RK_PathMax];
  if (!RK_findFileOnPath(path, "FONTS/", name, "rb")) return fail(kErrNotFound);
  FILE *file = std::fopen(path, "rb");
  if (!file) return fail(kErrNotFound);
  long size = 0;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  Font *font = RK_readFontStream(file, 0, size);
  std::fclose(file);
  return font;
}
