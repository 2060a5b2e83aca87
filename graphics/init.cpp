#include "graphics/rk_core_internal.h"

namespace {
// The start-up (scratch buffer, path) runs once until RK_shutdown; the
// window system itself needs no start-up on Linux. A second RK_init after
// one whose detection failed keeps the contexts opened in between and the
// first path.
void startUp(const char *path) {
  if (RK_libraryStartedUp()) return;
  RK_setLastError(0);
  RK_shutdown();
  if (!RK_allocateScratch()) RK_reportFatal("Not enough memory to allocate scratch buffer!\n");
  RK_storeLibraryPath(path);
  RK_markLibraryStartedUp(true);
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
