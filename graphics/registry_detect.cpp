// Detection of the full-screen DIB and DirectDraw driver families: every
// mode of the slot's colour depth that the display back end can show.
#include "graphics/rasterkit.h"
#include "graphics/registry_internal.h"
#include "graphics/rk_drivers.h"
#include "graphics/rk_platform.h"

namespace {

struct ModeRange {
  int first, last, bits;
};

constexpr int kMode640x480x8 = 19;

// The mode numbers a slot's depth covers; the 16-bit drivers serve the
// 15-bit modes as well, as far as the back end shows them.
int rangesOfDepth(int depthIndex, ModeRange ranges[2]) {
  switch (depthIndex) {
    case 0:
      ranges[0] = {10, 25, 8};
      return 1;
    case 1:
      ranges[0] = {41, 55, 16};
      ranges[1] = {26, 40, 15};
      return 2;
    case 2:
      ranges[0] = {56, 70, 24};
      return 1;
    default:
      ranges[0] = {71, 85, 32};
      return 1;
  }
}

}  // namespace

int RK_detectDisplayFamily(int slot, int requestedDriver, int *driver, int *suggestedMode, ModeEntry *modes) {
  int family;
  int depthIndex;
  if (slot >= kFirstDibSlot && slot < kFirstDibSlot + 4) {
    family = RK_FamilyDIB;
    depthIndex = slot - kFirstDibSlot;
  } else if (slot >= kFirstDirectDrawSlot && slot < kFirstDirectDrawSlot + 4) {
    family = RK_FamilyDirectDraw;
    depthIndex = slot - kFirstDirectDrawSlot;
  } else {
    return 0;
  }
  if (requestedDriver != 255 && requestedDriver != family) return 0;
  const RK_Platform *platform = RK_platform();
  if (!modes || !platform || !platform->servesMode || !platform->hasDisplay || !platform->hasDisplay())
    return 0;

  ModeRange ranges[2];
  const int rangeCount = rangesOfDepth(depthIndex, ranges);
  int firstServed = -1;
  bool served640x480 = false;
  for (int r = 0; r < rangeCount; ++r) {
    for (int m = ranges[r].first; m <= ranges[r].last; ++m) {
      int width = 0, height = 0, bits = 0;
      RK_modeSize(m, &width, &height, &bits);
      int pages = 0;
      if (!platform->servesMode(family, width, height, ranges[r].bits, &pages)) continue;
      modes[m].driverSlot = static_cast<uint8_t>(slot);
      modes[m].flags = 0;
      modes[m].pages = pages < 1 ? 1 : pages;
      if (firstServed < 0) firstServed = m;
      if (m == kMode640x480x8) served640x480 = true;
    }
  }
  if (firstServed < 0) return 0;

  if (driver) *driver = family;
  // The first driver to find anything suggests: the 8-bit drivers come
  // first, and 640x480 is the size the game and most desktops prefer.
  if (suggestedMode && *suggestedMode == -1) *suggestedMode = served640x480 ? kMode640x480x8 : firstServed;
  return 1;
}
