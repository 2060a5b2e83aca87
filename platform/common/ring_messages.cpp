#include "platform/common/ring_messages.h"

#include "graphics/rk_platform.h"

namespace {

MessageRing ring;
void (*refillMessages)() = nullptr;
void (*refillCharacters)() = nullptr;

bool nextMessage(PlatformMessage *out) {
  if (ring.empty() && refillMessages) refillMessages();
  return ring.take(out);
}

bool takeCharacter(PlatformMessage *out, bool system) {
  if (ring.empty() && refillCharacters) refillCharacters();
  return ring.takeCharacter(out, system);
}

uint32_t keyState() {
  return ring.keyState();
}

void postMessage(const PlatformMessage &message) {
  ring.push(message);
}

}  // namespace

MessageRing &platformMessageRing() {
  return ring;
}

void serveMessagesFromRing(RK_Platform &platform, void (*refill)(), void (*refillForCharacter)()) {
  refillMessages = refill;
  refillCharacters = refillForCharacter;
  platform.messages.next = nextMessage;
  platform.messages.takeCharacter = takeCharacter;
  platform.messages.keyState = keyState;
  platform.postMessage = postMessage;
}
