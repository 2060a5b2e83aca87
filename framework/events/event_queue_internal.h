// Private to the event queue: what its three parts (slot storage, key table,
// message pump) need from one another.
#pragma once

#include <cstdint>

#include "framework/events/events.h"

inline constexpr int EventSlotCount = 100;
inline constexpr int KeyTableSize = 256;

// Slot storage.
void resetEventSlots();
// Index of the slot the next queued event will occupy, -1 when full.
int nextFreeEventSlot();
// Appends a copy of `event` at the tail; false (and nothing changes) when all
// slots are taken.
bool appendEvent(const Event &event);
int pendingMoveSlot();
void setPendingMoveSlot(int slot);
// Overwrites the position of the queued move at `slot`.
void moveQueuedPointer(int slot, int32_t x, int32_t y);
int queuedEventCount();

// Key table.
void clearKeyTable();
uint16_t keyTableEntry(int scanCode);
void setKeyTableEntry(int scanCode, uint16_t value);

// Message pump.
void pumpPlatformMessages();
void recordEventWindow(void *window);
void *recordedEventWindow();
