#include <cstdlib>

#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"

void RK_reportFatal(const char *text) {
  RK_shutdown();
  RK_showMessageBox("RK Fatal Error!", text, RK_BoxOkWarning);
  std::exit(1);
}
