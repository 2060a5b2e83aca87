#include "framework/events/events.h"
#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

DeviceContext *RK_openWindowContext(void *window) {
  DeviceContext *dc = RK_allocateContext();
  if (!dc) {
    RK_setLastError(-10);
    return nullptr;
  }
  RK_returnToDesktop();
  const DriverHeader *header = RK_windowDriverHeader();
  if (!RK_setUpContext(dc, header->setup, header->driverId, -1, window, 1, RK_KindWindowed)) {
    RK_discardContext(dc);
    return nullptr;
  }
  if (!RK_listContext(dc)) {
    dc->driver.release(dc);
    RK_discardContext(dc);
    RK_setLastError(-10);
    return nullptr;
  }
  setPointerScaling(0, 0, 0, 0);
  return dc;
}
