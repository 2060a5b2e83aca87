#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

void RK_shutdown() {
  RK_selectContext(nullptr);
  RK_closeMemoryContexts();
  RK_closeWindowedContexts();
  RK_closeOffscreenContexts();
  RK_closeDisplayContexts();
  RK_returnToDesktop();
  // The main window belongs to whoever created it (the framework destroys
  // it right after this); destroying it here as well would free it twice.
  RK_forgetMainWindow();
  RK_releaseScratch();
  RK_setSuspendHandler(nullptr);
  RK_markLibraryInitialised(false);
  RK_markLibraryStartedUp(false);
}
