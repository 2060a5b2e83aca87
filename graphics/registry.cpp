// The registry of built-in drivers: which of them the program allows.
#include <array>
#include <cstring>

#include "graphics/rasterkit.h"
#include "graphics/registry_internal.h"
#include "graphics/rk_drivers.h"

namespace {

constexpr char kSignature[] = "Rasterkit Driver:";

constexpr std::array<DriverSlot, RK_DriverSlotCount> unregisteredSlots() {
  std::array<DriverSlot, RK_DriverSlotCount> slots{};
  for (int i = 0; i < RK_DriverSlotCount; ++i) {
    const char *name = kDriverSlotNames[i];
    for (int c = 0; name[c] != '\0' && c < 12; ++c) slots[i].name[c] = name[c];
    slots[i].registered = 0;
    slots[i].header = nullptr;
  }
  return slots;
}

constinit std::array<DriverSlot, RK_DriverSlotCount> slots = unregisteredSlots();

}  // namespace

void RK_clearDriverRegistry() {
  slots = unregisteredSlots();
}

int RK_addDriver(const char *name, const DriverHeader *header) {
  RK_setLastError(-9);
  DriverSlot *slot = nullptr;
  if (name) {
    for (DriverSlot &s : slots) {
      if (std::strcmp(s.name, name) == 0) {
        slot = &s;
        break;
      }
    }
  }
  if (!slot) return -9;

  RK_setLastError(0);
  // The header's name field need not be terminated; comparing the whole
  // field against the slot's terminated name stays inside both.
  if (!header || std::memcmp(header->signature, kSignature, sizeof kSignature - 1) != 0 ||
      std::strncmp(header->name, slot->name, sizeof header->name) != 0) {
    RK_setLastError(-4);
    return -4;
  }
  if (header->versionMajor != 2 || header->versionMinor != 0) {
    RK_setLastError(-15);
    return -15;
  }
  slot->registered = 1;
  slot->header = header;
  return 0;
}

const DriverSlot *RK_driverSlot(int slot) {
  if (slot < 0 || slot >= RK_DriverSlotCount) return nullptr;
  return &slots[slot];
}
