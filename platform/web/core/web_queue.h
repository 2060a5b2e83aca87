// The browser back end's window-system messages: key events and activation
// of the page turned into the messages a PC window system sends, put into
// the platform's message ring (platform/common/ring_messages.h) in order
// with the messages the program posts to itself.
#pragma once

#include <cstdint>

#include "framework/events/platform_message.h"

// One keydown or keyup event of the page, as KeyboardEvent reports it.
struct WebKeyEvent {
  bool down = true;
  const char *code = nullptr;  // KeyboardEvent.code
  const char *key = nullptr;   // KeyboardEvent.key
  bool shift = false, control = false, alt = false, meta = false;
  bool repeat = false;
  uint32_t time = 0;  // milliseconds
};

// Queues KeyDown / KeyUp (SysKeyDown / SysKeyUp with Alt) and, for a press
// that gives a character, Char or SysChar. Keys without a PC scan code are
// dropped. Returns false when the queue had no room for the messages.
bool queueKeyEvent(const WebKeyEvent &event, void *window);
// Activation of the page: shown and focused, or hidden / focus lost.
bool queueActivation(void *window, bool active, uint32_t time);
