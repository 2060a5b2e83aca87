#include "platform/common/desktop_modes.h"

#include "graphics/rk_platform.h"

namespace {

bool shown(int bits, ShownDepths depths) {
  if (depths == ShownDepths::PalettedOnly) return bits == 8;
  return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool servesDesktopMode(int family, int width, int height, int bits, ShownDepths depths,
                       void (*desktopSize)(int *width, int *height), int *pages) {
  if (family != RK_FamilyDIB && family != RK_FamilyDirectDraw) return false;
  if (!shown(bits, depths)) return false;
  int desktopWidth = 0, desktopHeight = 0;
  desktopSize(&desktopWidth, &desktopHeight);
  if (width <= 0 || height <= 0 || width > desktopWidth || height > desktopHeight) return false;
  if (pages) *pages = 2;
  return true;
}
