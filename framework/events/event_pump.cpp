// Turns the back end's window-system messages into queued Events, keeps the
// key table current, and hands every message on to the window procedure.
#include <cstdint>

#include "framework/events/event_queue_internal.h"
#include "framework/events/events.h"
#include "framework/events/platform_message.h"

namespace {

const PlatformMessageSource *messageSource = nullptr;
PlatformMessageHandler messageHandler = nullptr;
// Back ends report pointer positions in window coordinates already; the
// window is kept to tell which one the queue was set up for.
void *eventWindow = nullptr;

struct PointerScaling {
  int multiplierX, divisorX, multiplierY, divisorY;
};
PointerScaling scaling{0, 0, 0, 0};

uint32_t classify(const PlatformMessage &m, uint32_t *message, uint32_t *modifiers) {
  switch (m.type) {
    case PlatformMessageType::KeyDown:
    case PlatformMessageType::SysKeyDown:
      return m.previouslyDown ? KeyRepeat : KeyDown;
    case PlatformMessageType::KeyUp:
    case PlatformMessageType::SysKeyUp:
      return KeyUp;
    case PlatformMessageType::Timer:
      return Timer;
    case PlatformMessageType::MouseMove:
      return MouseMove;
    case PlatformMessageType::LeftButtonDown:
      *message = 1;
      return MouseDown;
    case PlatformMessageType::LeftButtonUp:
      *message = 1;
      return MouseUp;
    case PlatformMessageType::LeftButtonDoubleClick:
      *message = 1;
      *modifiers = ModDoubleClick;
      return MouseDown;
    case PlatformMessageType::RightButtonDown:
      *message = 4;
      return MouseDown;
    case PlatformMessageType::RightButtonUp:
      *message = 4;
      return MouseUp;
    case PlatformMessageType::RightButtonDoubleClick:
      *message = 4;
      *modifiers = ModDoubleClick;
      return MouseDown;
    default:
      return 0;
  }
}

uint32_t modifierBits(uint32_t platformKeys) {
  uint32_t bits = 0;
  if (platformKeys & PlatformKeyShift) bits |= ModShift;
  if (platformKeys & PlatformKeyControl) bits |= ModControl;
  return bits;
}

// Scaling maps the window's client area onto the drawing surface; the
// product is taken in 64 bits so that large desktops cannot overflow it.
void pointerPosition(const PlatformMessage &m, int32_t *x, int32_t *y) {
  if (scaling.divisorX != 0 && scaling.divisorY != 0) {
    *x = static_cast<int32_t>(int64_t{m.windowX} * scaling.multiplierX / scaling.divisorX);
    *y = static_cast<int32_t>(int64_t{m.windowY} * scaling.multiplierY / scaling.divisorY);
  } else {
    *x = m.windowX;
    *y = m.windowY;
  }
}

// Returns false when the event is absorbed into an already queued move.
bool fillMouseEvent(const PlatformMessage &m, Event *e) {
  pointerPosition(m, &e->whereX, &e->whereY);
  if (e->what == MouseMove) {
    const int pending = pendingMoveSlot();
    if (pending >= 0) {
      moveQueuedPointer(pending, e->whereX, e->whereY);
      return false;
    }
    setPendingMoveSlot(nextFreeEventSlot());
  } else {
    setPendingMoveSlot(-1);
  }
  if (m.keyState & PlatformButtonLeft) e->modifiers |= ModLeftButton;
  if (m.keyState & PlatformButtonRight) e->modifiers |= ModRightButton;
  e->modifiers |= modifierBits(m.keyState);
  return true;
}

int takePendingCharacter() {
  int character = 0;
  if (messageSource->takeCharacter) {
    PlatformMessage c;
    if (messageSource->takeCharacter(&c, false)) character = c.character;
    if (messageSource->takeCharacter(&c, true)) character = c.character;
  }
  return character & 0xFF;
}

void fillKeyEvent(const PlatformMessage &m, Event *e) {
  const int scan = m.scanCode & 0xFF;
  if (e->what == KeyUp) {
    e->message = keyTableEntry(scan);
    setKeyTableEntry(scan, 0);
  } else {
    const uint32_t value = static_cast<uint32_t>(takePendingCharacter()) | static_cast<uint32_t>(scan) << 8;
    e->message = value;
    setKeyTableEntry(scan, static_cast<uint16_t>(value));
    if (e->what == KeyRepeat) e->message |= static_cast<uint32_t>(m.repeatCount & 0xFFFF) << 16;
  }
  if (m.altContext) e->modifiers |= ModAlt;
  const uint32_t keys = messageSource->keyState ? messageSource->keyState() : m.keyState;
  e->modifiers |= modifierBits(keys);
  setPendingMoveSlot(-1);
}

}  // namespace

void setPlatformMessageSource(const PlatformMessageSource *source) {
  messageSource = source;
}

void setPlatformMessageHandler(PlatformMessageHandler handler) {
  messageHandler = handler;
}

void setPointerScaling(int multiplierX, int divisorX, int multiplierY, int divisorY) {
  scaling = {multiplierX, divisorX, multiplierY, divisorY};
}

void recordEventWindow(void *window) {
  eventWindow = window;
}

void *recordedEventWindow() {
  return eventWindow;
}

void pumpPlatformMessages() {
  PlatformMessage m;
  // The window procedure may switch back ends (a mode change) while the pump
  // runs, so the source is looked up afresh for every message.
  while (messageSource && messageSource->next && messageSource->next(&m)) {
    Event e{};
    e.what = classify(m, &e.message, &e.modifiers);
    if (e.what == MouseDown || e.what == MouseUp || e.what == MouseMove) {
      if (!fillMouseEvent(m, &e)) e.what = 0;
    } else if (e.what == KeyDown || e.what == KeyRepeat || e.what == KeyUp) {
      fillKeyEvent(m, &e);
    }
    if (e.what != 0) {
      e.when = m.time;
      appendEvent(e);  // a full queue drops it; the key table is already right
    }
    if (messageHandler) messageHandler(m);
  }
}
