#include "platform/web/core/web_queue.h"

#include "platform/web/core/web_keys.h"

namespace {

// A fixed ring: no allocation while running. A key event becomes at most
// two messages.
constexpr int kCapacity = 256;
PlatformMessage ring[kCapacity];
int head = 0;
int count = 0;
uint32_t lastKeyState = 0;

bool push(const PlatformMessage &m) {
  if (count == kCapacity) return false;
  ring[(head + count) % kCapacity] = m;
  ++count;
  return true;
}

void pop() {
  head = (head + 1) % kCapacity;
  --count;
}

}  // namespace

bool queueKeyEvent(const WebKeyEvent &e, void *window) {
  const int scan = scanCodeForKeyCode(e.code);
  if (scan == 0) return true;
  const int character = e.down ? characterForKey(e.key, e.control) : 0;
  if (count > kCapacity - (character ? 2 : 1)) return false;
  PlatformMessage m;
  if (e.down)
    m.type = e.alt ? PlatformMessageType::SysKeyDown : PlatformMessageType::KeyDown;
  else
    m.type = e.alt ? PlatformMessageType::SysKeyUp : PlatformMessageType::KeyUp;
  m.window = window;
  m.time = e.time;
  m.scanCode = scan;
  m.previouslyDown = e.down ? (e.repeat ? 1 : 0) : 1;
  m.repeatCount = 1;
  m.altContext = e.alt ? 1 : 0;
  m.keyState = (e.shift ? PlatformKeyShift : 0u) | (e.control ? PlatformKeyControl : 0u);
  m.character = character;
  push(m);
  if (character != 0) {
    PlatformMessage c = m;
    c.type = e.alt ? PlatformMessageType::SysChar : PlatformMessageType::Char;
    push(c);
  }
  return true;
}

bool queueActivation(void *window, bool active, uint32_t time) {
  PlatformMessage m;
  m.type = PlatformMessageType::ActivationChanged;
  m.window = window;
  m.time = time;
  m.activeState = active ? 1 : 0;
  return push(m);
}

bool queueMessage(const PlatformMessage &message) {
  return push(message);
}

bool takeQueuedMessage(PlatformMessage *out) {
  if (count == 0) return false;
  if (out) *out = ring[head];
  const PlatformMessage &m = ring[head];
  if (m.type != PlatformMessageType::Char && m.type != PlatformMessageType::SysChar) lastKeyState = m.keyState;
  pop();
  return true;
}

bool takeQueuedCharacter(PlatformMessage *out, bool system) {
  const PlatformMessageType wanted = system ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  if (count == 0 || ring[head].type != wanted) return false;
  if (out) *out = ring[head];
  pop();
  return true;
}

uint32_t queuedKeyState() {
  return lastKeyState & (PlatformKeyShift | PlatformKeyControl);
}

void dropQueuedMessagesOf(void *window) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const PlatformMessage m = ring[(head + i) % kCapacity];
    if (m.window == window) continue;
    ring[(head + kept) % kCapacity] = m;
    ++kept;
  }
  count = kept;
}

void clearMessageQueue() {
  head = 0;
  count = 0;
  lastKeyState = 0;
}
