#include "platform/web/core/web_queue.h"

#include "platform/common/ring_messages.h"
#include "platform/web/core/web_keys.h"

namespace {

MessageRing &ring = platformMessageRing();

}  // namespace

bool queueKeyEvent(const WebKeyEvent &e, void *window) {
  const int scan = scanCodeForKeyCode(e.code);
  if (scan == 0) return true;
  const int character = e.down ? characterForKey(e.key, e.control) : 0;
  // A key event becomes at most two messages.
  if (ring.room() < (character ? 2 : 1)) return false;
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
  ring.push(m);
  if (character != 0) {
    PlatformMessage c = m;
    c.type = e.alt ? PlatformMessageType::SysChar : PlatformMessageType::Char;
    ring.push(c);
  }
  return true;
}

bool queueActivation(void *window, bool active, uint32_t time) {
  PlatformMessage m;
  m.type = PlatformMessageType::ActivationChanged;
  m.window = window;
  m.time = time;
  m.activeState = active ? 1 : 0;
  return ring.push(m);
}
