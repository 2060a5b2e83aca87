#include "platform/common/message_ring.h"

bool MessageRing::push(const PlatformMessage &message) {
  if (count_ == kCapacity) return false;
  ring_[(head_ + count_) % kCapacity] = message;
  ++count_;
  return true;
}

void MessageRing::pop() {
  head_ = (head_ + 1) % kCapacity;
  --count_;
}

bool MessageRing::take(PlatformMessage *out) {
  if (count_ == 0) return false;
  const PlatformMessage &m = ring_[head_];
  if (out) *out = m;
  if (m.type != PlatformMessageType::Char && m.type != PlatformMessageType::SysChar)
    lastKeyState_ = m.keyState;
  pop();
  return true;
}

bool MessageRing::takeCharacter(PlatformMessage *out, bool system) {
  const PlatformMessageType wanted = system ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  if (count_ == 0 || ring_[head_].type != wanted) return false;
  if (out) *out = ring_[head_];
  pop();
  return true;
}

uint32_t MessageRing::keyState() const {
  return lastKeyState_ & (PlatformKeyShift | PlatformKeyControl);
}

void MessageRing::dropWindow(const void *window) {
  int kept = 0;
  for (int i = 0; i < count_; ++i) {
    const PlatformMessage m = ring_[(head_ + i) % kCapacity];
    if (m.window == window) continue;
    ring_[(head_ + kept) % kCapacity] = m;
    ++kept;
  }
  count_ = kept;
}

void MessageRing::clear() {
  head_ = 0;
  count_ = 0;
  lastKeyState_ = 0;
}
