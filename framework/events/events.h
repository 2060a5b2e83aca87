// The event queue and the key table. Platform messages become Events in a
// bounded first-in, first-out queue of 100 slots; the key table tells, per
// PC scan code, whether that key is held.
#pragma once

#include <cstdint>

#include "framework/events/platform_message.h"

inline constexpr uint32_t KeyDown = 1;
inline constexpr uint32_t KeyRepeat = 2;
inline constexpr uint32_t KeyUp = 4;
inline constexpr uint32_t MouseDown = 8;
inline constexpr uint32_t MouseUp = 16;
inline constexpr uint32_t MouseMove = 32;
inline constexpr uint32_t Timer = 64;
inline constexpr uint32_t AllEvents = 0xFFFF;

inline constexpr uint32_t ModLeftButton = 0x0001;
inline constexpr uint32_t ModRightButton = 0x0002;
inline constexpr uint32_t ModShift = 0x0018;
inline constexpr uint32_t ModControl = 0x0020;
inline constexpr uint32_t ModAlt = 0x0040;
inline constexpr uint32_t ModDoubleClick = 0x8000;

struct Event {
  int32_t which;
  uint32_t what;
  uint32_t when;
  int32_t whereX;
  int32_t whereY;
  uint32_t message;
  uint32_t modifiers;
  int32_t next;
  int32_t prev;
};

// Where the pump takes its messages from: the display back end in force.
struct PlatformMessageSource {
  // Removes and returns the next pending message; false when none is left.
  bool (*next)(PlatformMessage *out);
  // Removes and returns the next pending Char (or, with system set, SysChar)
  // message if one is waiting at the front of the queue.
  bool (*takeCharacter)(PlatformMessage *out, bool system);
  // Current state of Shift and Control (PlatformKey* bits).
  uint32_t (*keyState)();
};
void setPlatformMessageSource(const PlatformMessageSource *source);

// Who receives every pumped message after classification: the framework's
// window procedure.
using PlatformMessageHandler = void (*)(const PlatformMessage &message);
void setPlatformMessageHandler(PlatformMessageHandler handler);

void initEvents(void *window);
bool getEvent(Event *event, uint32_t mask);
void flushEvents(uint32_t mask);
bool isKeyDown(int scanCode);

// Pointer scaling from window to drawing-surface coordinates; divisorX 0
// switches it off.
void setPointerScaling(int multiplierX, int divisorX, int multiplierY, int divisorY);
