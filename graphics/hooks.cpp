#include <algorithm>
#include <cstring>

#include "graphics/rk_core_internal.h"

namespace {
void *instanceHandle = nullptr;
void *mainWindow = nullptr;
RK_SuspendHandler suspendHandler = nullptr;
bool inBackground = false;
}  // namespace

void RK_recordInstance(void *instance) {
  instanceHandle = instance;
}
void RK_recordMainWindow(void *window) {
  mainWindow = window;
}
void *RK_mainWindow() {
  return mainWindow;
}
void RK_forgetMainWindow() {
  mainWindow = nullptr;
}
void RK_setSuspendHandler(RK_SuspendHandler handler) {
  suspendHandler = handler;
}
RK_SuspendHandler RK_suspendHandler() {
  return suspendHandler;
}

// Linux has no system palette to share with other programs: an activated
// palettised window simply takes its whole palette again.
void RK_notifyActivation(DeviceContext *dc, int active) {
  if (!RK_isWindowedContext(dc)) return;
  inBackground = active == 0;
  if (RK_pixelDepth(dc) <= 8) RK_realizePaletteRange(dc, RK_paletteSize(dc), 0, -1);
}

int RK_realizeWindowPalette(DeviceContext *dc, int /*unrealizeFirst*/) {
  if (!RK_isWindowedContext(dc)) return 0;
  dc = RK_resolveContext(dc);
  if (!dc->palette || !dc->driver.hardwarePalette || dc->maxColor >= 256) return 0;
  const PaletteEntry *shown = dc->driver.hardwarePalette(dc);
  if (!shown) return 0;
  const int size = RK_paletteSize(dc);
  int changed = 0;
  for (int i = 0; i < size; ++i) {
    if (std::memcmp(&shown[i], &dc->palette[i], sizeof(PaletteEntry)) != 0) ++changed;
  }
  if (changed) RK_realizePaletteRange(dc, size, 0, 0);
  return changed;
}
