#include <cstdlib>
#include <cstring>

#include "framework/events/events.h"
#include "graphics/presented_surface.h"
#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

namespace {

// A further display context shows the same pages as the first one but keeps
// its own palette and attributes.
DeviceContext *openSharedDisplay(DeviceContext *dc, DeviceContext *first) {
  const DeviceContext *source = RK_resolveContext(first);
  *dc = *source;
  dc->palette = static_cast<PaletteEntry *>(std::calloc(256, sizeof(PaletteEntry)));
  if (!dc->palette) {
    RK_discardContext(dc);
    RK_setLastError(-10);
    return nullptr;
  }
  RK_sharePresentedSurface(dc);
  dc->bounds = RK_Rect{0, 0, dc->maxX + 1, dc->maxY + 1};
  dc->backBuffer = nullptr;
  dc->accessDepth = -1;
  RK_resetAttributes(dc);
  RK_readHardwarePalette(dc);
  if (!RK_listContext(dc)) {
    dc->driver.release(dc);
    RK_discardContext(dc);
    RK_setLastError(-10);
    return nullptr;
  }
  return dc;
}

}  // namespace

DeviceContext *RK_openDisplay(int pages) {
  DeviceContext *dc = RK_allocateContext();
  if (!dc) {
    RK_setLastError(-10);
    return nullptr;
  }
  if (DeviceContext *first = RK_firstDisplayContext()) return openSharedDisplay(dc, first);

  const int mode = RK_chosenMode();
  const ModeEntry *entry = RK_modeEntry(mode);
  const DriverSlot *slot = entry && entry->driverSlot != 255 ? RK_driverSlot(entry->driverSlot) : nullptr;
  const DriverHeader *header = slot && slot->registered ? slot->header : nullptr;
  if (!header || !header->setup) {
    RK_discardContext(dc);
    RK_setLastError(-3);
    return nullptr;
  }
  if (!RK_setUpContext(dc, header->setup, header->driverId, mode, RK_mainWindow(), pages,
                       RK_KindFullScreenFirst)) {
    RK_discardContext(dc);
    if (RK_displayContextCount() == 0) RK_returnToDesktop();
    return nullptr;
  }
  if (!RK_listContext(dc)) {
    dc->driver.release(dc);
    RK_discardContext(dc);
    RK_returnToDesktop();
    RK_setLastError(-10);
    return nullptr;
  }
  // The back end draws the mouse pointer itself, so no save-under buffers;
  // and there is no CD-ROM auto-run to switch off on Linux.
  RK_selectContext(dc);
  RK_clearCurrent();
  flushEvents(AllEvents);
  return dc;
}
