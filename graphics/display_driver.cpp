// Full-screen display contexts of the DIB and DirectDraw families: the
// chosen mode's pages in memory, shown full screen by the back end.
#include <algorithm>

#include "framework/events/events.h"
#include "graphics/presented_surface.h"
#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

int RK_setupDisplayContext(DeviceContext *dc, int driverId, int mode, void *window, int pages, int, int, int,
                           int) {
  const RK_Platform *p = RK_platform();
  int width = 0, height = 0, bits = 0;
  if (!p || !p->servesMode || !p->enterFullScreen) return 0;
  if (!RK_modeSize(mode, &width, &height, &bits)) return 0;
  int offered = 0;
  if (!p->servesMode(driverId, width, height, bits, &offered)) return 0;
  const int pageCount = std::clamp(pages, 1, std::max(offered, 1));
  if (!RK_attachPresentedSurface(dc, window, width, height, bits, pageCount, true)) return 0;
  if (!p->enterFullScreen(window, width, height, bits)) {
    dc->driver.release(dc);
    return 0;
  }
  RK_noteFullScreen(window);
  // Every full-screen set-up starts with an empty queue and no key held:
  // keys pressed for the switch (Alt, Enter) or held through it would
  // otherwise count as held until released, though the new display never
  // saw them go down. This is the one place every back end passes through.
  initEvents(window);
  dc->kind = RK_KindFullScreenFirst;
  // Bit 0: the hidden page may be drawn into directly.
  dc->flags = pageCount > 1 ? 1u : 0u;
  return 1;
}
