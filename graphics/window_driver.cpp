// Windowed contexts ("WINDC.DRV"): one 8-bit page in memory, presented to
// the window's client area.
#include <cstring>

#include "graphics/presented_surface.h"
#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

namespace {

DriverHeader makeWindowHeader() {
  DriverHeader h{};
  std::memcpy(h.signature, "Rasterkit Driver:", 18);
  std::memcpy(h.name, "WINDC.DRV", 10);
  const char description[] = "WINDC.DRV\r\n\r\nVersion 2.0 - Dec 24 1997\r\nWindowed device context driver";
  static_assert(sizeof description <= sizeof h.description);
  std::memcpy(h.description, description, sizeof description);
  h.versionMajor = 2;
  h.versionMinor = 0;
  h.driverId = RK_DriverDIB;
  h.detect = nullptr;
  h.setup = RK_setupWindowContext;
  return h;
}

const DriverHeader windowHeader = makeWindowHeader();

// Fallback when the back end cannot report its client area.
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

}  // namespace

const DriverHeader *RK_windowDriverHeader() {
  return &windowHeader;
}

int RK_setupWindowContext(DeviceContext *dc, int /*driverId*/, int /*mode*/, void *window, int /*pages*/, int,
                          int, int, int) {
  const RK_Platform *p = RK_platform();
  if (!p || !window || !p->enterWindowed) return 0;
  int width = kDefaultWidth, height = kDefaultHeight;
  if (p->clientSize) p->clientSize(window, &width, &height);
  if (!RK_attachPresentedSurface(dc, window, width, height, 8, 1, false)) return 0;
  if (!p->enterWindowed(window, width, height, 8)) {
    dc->driver.release(dc);
    return 0;
  }
  dc->kind = RK_KindWindowed;
  dc->flags = 0;
  return 1;
}
