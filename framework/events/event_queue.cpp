// The bounded first-in, first-out queue of Events: a fixed array of slots
// linked by index, with a free list, so nothing is allocated after start-up.
#include <array>

#include "framework/events/event_queue_internal.h"
#include "framework/events/events.h"

namespace {

struct EventQueue {
  std::array<Event, EventSlotCount> slots;
  int32_t head;
  int32_t tail;
  int32_t freeHead;
  int32_t count;
  int32_t lastMove;
};

// Chained already at static initialisation, so a program that shows its
// output in a window from the start (and so never runs initEvents) can queue
// events all the same.
constexpr EventQueue emptyQueue() {
  EventQueue q{};
  for (int i = 0; i < EventSlotCount; ++i) {
    q.slots[i] = Event{};
    q.slots[i].next = (i + 1 < EventSlotCount) ? i + 1 : -1;
    q.slots[i].prev = -1;
  }
  q.head = -1;
  q.tail = -1;
  q.freeHead = 0;
  q.count = 0;
  q.lastMove = -1;
  return q;
}

constinit EventQueue queue = emptyQueue();

bool validSlot(int slot) {
  return slot >= 0 && slot < EventSlotCount;
}

void unlink(int slot) {
  Event &e = queue.slots[slot];
  if (e.prev >= 0) {
    queue.slots[e.prev].next = e.next;
  } else {
    queue.head = e.next;
  }
  if (e.next >= 0) {
    queue.slots[e.next].prev = e.prev;
  } else {
    queue.tail = e.prev;
  }
  e.next = queue.freeHead;
  e.prev = -1;
  queue.freeHead = slot;
  --queue.count;
}

}  // namespace

void resetEventSlots() {
  queue = emptyQueue();
}

int nextFreeEventSlot() {
  return queue.count < EventSlotCount ? queue.freeHead : -1;
}

bool appendEvent(const Event &event) {
  if (queue.count >= EventSlotCount || !validSlot(queue.freeHead)) return false;
  const int slot = queue.freeHead;
  Event &e = queue.slots[slot];
  queue.freeHead = e.next;
  e = event;
  e.next = -1;
  e.prev = queue.tail;
  if (queue.tail >= 0) {
    queue.slots[queue.tail].next = slot;
  } else {
    queue.head = slot;
  }
  queue.tail = slot;
  ++queue.count;
  return true;
}

int pendingMoveSlot() {
  return queue.lastMove;
}

void setPendingMoveSlot(int slot) {
  queue.lastMove = validSlot(slot) ? slot : -1;
}

void moveQueuedPointer(int slot, int32_t x, int32_t y) {
  if (!validSlot(slot)) return;
  queue.slots[slot].whereX = x;
  queue.slots[slot].whereY = y;
}

int queuedEventCount() {
  return queue.count;
}

void initEvents(void *window) {
  resetEventSlots();
  clearKeyTable();
  recordEventWindow(window);
}

bool getEvent(Event *event, uint32_t mask) {
  pumpPlatformMessages();
  for (int slot = queue.head; slot >= 0; slot = queue.slots[slot].next) {
    if ((queue.slots[slot].what & mask) == 0) continue;
    const Event found = queue.slots[slot];
    unlink(slot);
    if (found.what == MouseMove) queue.lastMove = -1;
    if (event) *event = found;
    return true;
  }
  if (event) event->what = 0;
  return false;
}

void flushEvents(uint32_t mask) {
  Event discarded;
  while (getEvent(&discarded, mask)) {
  }
}
