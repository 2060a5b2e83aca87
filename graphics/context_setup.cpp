#include <cstdlib>
#include <cstring>

#include "graphics/rk_core_internal.h"

DeviceContext *RK_allocateContext() {
  auto *dc = static_cast<DeviceContext *>(std::calloc(1, sizeof(DeviceContext)));
  if (dc) dc->accessDepth = -1;
  return dc;
}

void RK_discardContext(DeviceContext *dc) {
  if (!dc) return;
  std::free(dc->palette);
  std::free(dc);
}

void RK_readHardwarePalette(DeviceContext *dc) {
  if (!dc->driver.hardwarePalette || !dc->palette) return;
  const PaletteEntry *hardware = dc->driver.hardwarePalette(dc);
  if (!hardware) return;
  std::memcpy(dc->palette, hardware, sizeof(PaletteEntry) * static_cast<size_t>(RK_paletteSize(dc)));
}

int RK_setUpContext(DeviceContext *dc, RK_SetupFunc setup, int driverId, int mode, void *window, int pages,
                    int kind) {
  const bool fullScreenKind = kind >= RK_KindFullScreenFirst && kind <= RK_KindFullScreenLast;
  RK_setLastError(0);
  dc->flags = 0;
  if (!setup || !setup(dc, driverId, mode, window, pages, -1, -1, 0, -1)) {
    RK_setLastError(fullScreenKind ? -11 : -10);
    return 0;
  }
  dc->bounds = RK_Rect{0, 0, dc->maxX + 1, dc->maxY + 1};
  dc->palette = static_cast<PaletteEntry *>(std::calloc(256, sizeof(PaletteEntry)));
  if (!dc->palette) {
    if (dc->driver.release) dc->driver.release(dc);
    RK_setLastError(-10);
    return 0;
  }
  if (dc->kind != RK_KindMemory) {
    RK_readHardwarePalette(dc);
    RK_realizePaletteRange(dc, RK_paletteSize(dc), 0, -1);
  }
  RK_resetAttributes(dc);
  if (RK_lastError() != 0) {
    if (dc->driver.release) dc->driver.release(dc);
    RK_setLastError(fullScreenKind ? -11 : -10);
    return 0;
  }
  return 1;
}
