#include "graphics/rk_core_internal.h"

namespace {
// Only the start-up (scratch buffer, path) is repeated by a later RK_init
// after RK_shutdown; the window system itself needs no start-up on Linux.
void startUp(const char *path) {
  RK_setLastError(0);
  RK_shutdown();
  if (!RK_allocateScratch()) RK_reportFatal("Not enough memory to allocate scratch buffer!\n");
  RK_storeLibraryPath(path);
}
}  // namespace

int RK_init(int *driver, int *mode, const char *path) {
  if (RK_libraryInitialised()) RK_reportFatal("Nested call to RK_init!");
  startUp(path);
  int anyDriver = -1;
  int anyMode = -1;
  if (!driver) driver = &anyDriver;
  if (!mode) mode = &anyMode;
  RK_detectHardware(driver, mode);
  if (*driver == 0) {
    RK_setLastError(-2);
    return 0;
  }
  if (*mode != -1 && !RK_chooseMode(*mode)) return 0;
  RK_markLibraryInitialised(true);
  return 1;
}
