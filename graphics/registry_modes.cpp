// The table of graphics modes the registered drivers can serve, filled by
// detection, and the choice of the mode the next display context uses.
#include <array>
#include <cstring>

#include "graphics/rasterkit.h"
#include "graphics/rk_drivers.h"

namespace {

constexpr ModeEntry kUnavailable{255, 0, 0};

constexpr std::array<ModeEntry, RK_ModeCount> unavailableModes() {
  std::array<ModeEntry, RK_ModeCount> t{};
  t.fill(kUnavailable);
  return t;
}

constinit std::array<ModeEntry, RK_ModeCount> modes = unavailableModes();
// Available mode numbers, ascending, ended by RK_ModeListEnd.
constinit std::array<uint8_t, RK_ModeCount + 1> modeList{RK_ModeListEnd};
constinit int chosenMode = -1;

bool inTable(int mode) {
  return mode >= 0 && mode < RK_ModeCount;
}

const DriverHeader *servingDriver(int mode) {
  if (!inTable(mode)) return nullptr;
  const DriverSlot *slot = RK_driverSlot(modes[mode].driverSlot);
  if (!slot || !slot->registered) return nullptr;
  return slot->header;
}

}  // namespace

void RK_detectHardware(int *driver, int *mode) {
  modes = unavailableModes();
  modeList.fill(RK_ModeListEnd);

  const int requested = (driver && *driver >= 0) ? *driver : 255;
  int detectedDriver = 0;
  int suggested = -1;
  bool detected = false;
  for (int i = 0; i < RK_DriverSlotCount; ++i) {
    const DriverSlot *slot = RK_driverSlot(i);
    if (!slot->registered || !slot->header || !slot->header->detect) continue;
    if (slot->header->detect(i, requested, &detectedDriver, &suggested, modes.data()) != 0) detected = true;
  }
  if (!detected) {
    if (driver) *driver = 0;
    return;
  }
  if (driver) *driver = detectedDriver;

  int n = 0;
  for (int m = 0; m < RK_ModeCount; ++m) {
    if (modes[m].driverSlot != kUnavailable.driverSlot) modeList[n++] = static_cast<uint8_t>(m);
  }
  if (mode && *mode == -1) *mode = suggested;
}

int RK_chooseMode(int mode) {
  RK_setLastError(0);
  if (mode == RK_ModeDesktop) {
    RK_returnToDesktop();
    return 1;
  }
  // Negative numbers are as invalid as those above the table.
  if (!inTable(mode) || modes[mode].driverSlot == kUnavailable.driverSlot) {
    RK_setLastError(-6);
    return 0;
  }
  chosenMode = mode;
  RK_selectContext(nullptr);
  RK_closeDisplayContexts();
  return 1;
}

int RK_chosenMode() {
  return chosenMode;
}

const char *RK_modeDriver(int mode) {
  const DriverHeader *h = servingDriver(mode);
  if (!h) return "Invalid graphics mode";
  // A header registered by the program may fill its text field to the last
  // byte; hand out a terminated copy then.
  if (std::memchr(h->description, 0, sizeof h->description)) return h->description;
  static char terminated[sizeof h->description + 1];
  std::memcpy(terminated, h->description, sizeof h->description);
  terminated[sizeof h->description] = '\0';
  return terminated;
}

const uint8_t *RK_modeList() {
  return modeList.data();
}

int RK_modePages(int mode) {
  return inTable(mode) ? modes[mode].pages : 0;
}

int RK_modeAttributes(int mode) {
  return inTable(mode) ? modes[mode].flags : -1;
}

const ModeEntry *RK_modeEntry(int mode) {
  return inTable(mode) ? &modes[mode] : nullptr;
}
