// Which keys are held, by PC scan code. Each entry keeps the last press's
// character and scan code so that the key's release can report them again.
#include <array>

#include "framework/events/event_queue_internal.h"
#include "framework/events/events.h"

namespace {

constinit std::array<uint16_t, KeyTableSize> keyTable{};

// Scan codes arrive from back ends as plain ints; only the low byte names a
// key, and it keeps every lookup inside the table.
int tableIndex(int scanCode) {
  return scanCode & 0xFF;
}

}  // namespace

void clearKeyTable() {
  keyTable.fill(0);
}

uint16_t keyTableEntry(int scanCode) {
  return keyTable[tableIndex(scanCode)];
}

void setKeyTableEntry(int scanCode, uint16_t value) {
  keyTable[tableIndex(scanCode)] = value;
}

bool isKeyDown(int scanCode) {
  return keyTable[tableIndex(scanCode)] != 0;
}
