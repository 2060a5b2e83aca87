// The window-system messages a back end has translated and not yet handed
// out, in order, with the messages the program posts to itself. A fixed
// ring: no allocation while running, so a full ring refuses what comes.
#pragma once

#include <cstdint>

#include "framework/events/platform_message.h"

class MessageRing {
 public:
  static constexpr int kCapacity = 256;

  bool empty() const { return count_ == 0; }
  // Messages that still fit.
  int room() const { return kCapacity - count_; }

  // False, keeping what the ring holds, when it is full.
  bool push(const PlatformMessage &message);

  // Hands out the oldest message (out may be null to drop it). A message that
  // is no character carries the key state keyState() reports from then on.
  bool take(PlatformMessage *out);
  // Hands out the oldest message only when it is a Char (SysChar with
  // `system`): the character of the key message handed out just before.
  bool takeCharacter(PlatformMessage *out, bool system);

  // Shift and Control as they were at the message handed out last: what the
  // program sees matches the moment of the message, not of the pump.
  uint32_t keyState() const;

  // Forgets the messages of a window that is going away, keeping the order
  // of the others.
  void dropWindow(const void *window);
  // Empties the ring and forgets the key state.
  void clear();

 private:
  void pop();

  PlatformMessage ring_[kCapacity];
  int head_ = 0;
  int count_ = 0;
  uint32_t lastKeyState_ = 0;
};
