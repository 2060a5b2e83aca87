#include "platform/headless/headless_internal.h"

namespace {

constexpr int kLeftShift = 42;
constexpr int kRightShift = 54;
constexpr int kControl = 29;

void trackModifier(int scanCode, bool down) {
  uint32_t bit = 0;
  if (scanCode == kLeftShift || scanCode == kRightShift) bit = PlatformKeyShift;
  if (scanCode == kControl) bit = PlatformKeyControl;
  if (!bit) return;
  uint32_t &state = headlessState().keyState;
  state = down ? (state | bit) : (state & ~bit);
}

}  // namespace

void headlessInject(const PlatformMessage &message) {
  HeadlessState &s = headlessState();
  PlatformMessage m = message;
  if (!m.window && !s.windows.empty()) m.window = s.windows.back().get();
  if (m.time == 0) m.time = headlessClockPeek();
  s.messages.push_back(m);
}

void headlessPressKey(int scanCode, int character, bool repeat, bool alt) {
  trackModifier(scanCode, true);
  PlatformMessage down;
  down.type = alt ? PlatformMessageType::SysKeyDown : PlatformMessageType::KeyDown;
  down.scanCode = scanCode;
  down.previouslyDown = repeat ? 1 : 0;
  down.repeatCount = 1;
  down.altContext = alt ? 1 : 0;
  down.keyState = headlessState().keyState;
  headlessInject(down);
  if (character == 0) return;
  PlatformMessage ch = down;
  ch.type = alt ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  ch.character = character;
  headlessInject(ch);
}

void headlessReleaseKey(int scanCode, bool alt) {
  trackModifier(scanCode, false);
  PlatformMessage up;
  up.type = alt ? PlatformMessageType::SysKeyUp : PlatformMessageType::KeyUp;
  up.scanCode = scanCode;
  up.previouslyDown = 1;
  up.altContext = alt ? 1 : 0;
  up.keyState = headlessState().keyState;
  headlessInject(up);
}

void headlessMouse(PlatformMessageType type, int x, int y, uint32_t keyState) {
  PlatformMessage m;
  m.type = type;
  m.windowX = m.screenX = x;
  m.windowY = m.screenY = y;
  m.keyState = keyState | headlessState().keyState;
  headlessInject(m);
}

void headlessWindowRole(PlatformMessageType type) {
  PlatformMessage m;
  m.type = type;
  headlessInject(m);
}

void headlessActivate(bool active, bool minimized) {
  PlatformMessage m;
  m.type = PlatformMessageType::ActivationChanged;
  m.activeState = active ? 1 : 0;
  m.minimized = minimized ? 1 : 0;
  headlessInject(m);
}

void headlessSetKeyState(uint32_t bits) {
  headlessState().keyState = bits;
}

int headlessPendingMessages() {
  return static_cast<int>(headlessState().messages.size());
}

std::vector<PlatformMessage> headlessPendingMessageList() {
  const auto &q = headlessState().messages;
  return {q.begin(), q.end()};
}

bool headlessNextMessage(PlatformMessage *out) {
  auto &q = headlessState().messages;
  if (q.empty()) return false;
  if (out) *out = q.front();
  q.pop_front();
  return true;
}

bool headlessTakeCharacter(PlatformMessage *out, bool system) {
  auto &q = headlessState().messages;
  const PlatformMessageType wanted = system ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  if (q.empty() || q.front().type != wanted) return false;
  if (out) *out = q.front();
  q.pop_front();
  return true;
}

uint32_t headlessKeyState() {
  return headlessState().keyState;
}

// The framework posts its own commands; they queue behind what is there.
void headlessPostMessage(const PlatformMessage &message) {
  headlessState().messages.push_back(message);
}
