// libFuzzer target: RK_readFontStream on arbitrary bytes, then measuring and
// drawing every code with what it accepted, in all four directions.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "graphics/font_windows.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {

// Windows fonts with a glyph too large for the re-ordering buffer end the
// program on purpose; the fuzzer skips them instead of reporting an exit.
bool endsTheProgram(FILE *file, size_t size) {
  static const char signature[] = "Rasterkit Font File:";
  char head[sizeof signature] = {};
  size_t got = std::fread(head, 1, sizeof head, file);
  if (got == sizeof head && std::memcmp(head, signature, sizeof signature) == 0) return false;
  WindowsFontPlan plan;
  return RK_planWindowsFont(file, 0, long(size), &plan) == 0 && plan.glyphTooLarge;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  FILE *file = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (!file) return 0;
  if (endsTheProgram(file, size)) {
    std::fclose(file);
    return 0;
  }
  Font *font = RK_readFontStream(file, 0, long(size));
  std::fclose(file);
  RK_lastError();
  if (!font) return 0;
  static DeviceContext *dc = RK_openMemoryContext(96, 64, 8, nullptr);
  static char all[256];
  for (int i = 1; i < 256; ++i) all[i - 1] = char(i);
  RK_selectContext(dc);
  if (RK_selectFont(font)) {
    TextSettings &text = RK_currentMirror()->attributes.text;
    for (int direction = 0; direction < 4; ++direction) {
      text.direction = direction;
      text.horizJustify = direction % 3;
      text.vertJustify = direction;
      text.sizeNumX = 1 + direction;
      text.sizeDenomY = direction;  // 0 included
      RK_measureText(all);
      RK_drawTextAt(48, 32, all);
      RK_drawTextAt(-10, 70, "Kelvaro");
    }
    text = TextSettings{0, 0, 2, 1, 1, 1, 1, 0, nullptr};
  }
  RK_selectContext(nullptr);
  RK_freeFont(font);
  return 0;
}
