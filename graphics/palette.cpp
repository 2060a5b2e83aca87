#include <algorithm>
#include <cstring>

#include "graphics/rk_core_internal.h"

namespace {

bool isPaletteSurface(const DeviceContext *dc) {
  return dc->maxColor < 256;
}

void storeEntry(DeviceContext *dc, int index, int red, int green, int blue) {
  if (isPaletteSurface(dc)) {
    dc->palette[index] =
        PaletteEntry{static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red), 0};
  } else {
    const uint32_t word = RK_packPixel(dc->pixelFormat, red, green, blue);
    std::memcpy(&dc->palette[index], &word, sizeof word);
  }
}

}  // namespace

void RK_storePaletteEntry(DeviceContext *dc, int index, int red, int green, int blue) {
  if (!dc) return;
  dc = RK_resolveContext(dc);
  if (!dc->palette || index < 0 || index > 255) return;
  storeEntry(dc, index, red, green, blue);
}

void RK_setPaletteRange(DeviceContext *dc, const PaletteEntry *entries, int count, int first) {
  if (!dc || !entries) return;
  dc = RK_resolveContext(dc);
  if (!dc->palette) return;
  // Entries keep their indices, so only the part of the range inside the
  // table is stored.
  const int64_t begin = std::max<int64_t>(first, 0);
  const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, 256);
  for (int64_t i = begin; i < end; ++i) {
    const PaletteEntry &e = entries[i];
    storeEntry(dc, static_cast<int>(i), e.red, e.green, e.blue);
  }
}

int RK_paletteSize(const DeviceContext *dc) {
  if (!dc) return 0;
  return isPaletteSurface(dc) ? static_cast<int>(dc->maxColor) + 1 : 256;
}

void RK_realizePaletteRange(DeviceContext *dc, int count, int first, int waitVRT) {
  if (!dc) return;
  dc = RK_resolveContext(dc);
  if (!isPaletteSurface(dc) || !dc->palette || !dc->driver.realizePalette) return;
  const int64_t begin = std::max<int64_t>(first, 0);
  const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, RK_paletteSize(dc));
  if (end <= begin) return;
  dc->driver.realizePalette(dc, dc->palette, static_cast<int>(end - begin), static_cast<int>(begin), waitVRT);
}
