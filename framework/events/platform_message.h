// A message of the window system, as a display back end reports it. The
// event pump turns keyboard, mouse and timer messages into queued Events and
// passes every message on to the framework's window procedure.
#pragma once

#include <cstdint>

enum class PlatformMessageType : int32_t {
  None,
  KeyDown,      // also carries auto-repeat: previouslyDown set
  SysKeyDown,   // a key pressed with Alt held
  KeyUp,
  SysKeyUp,
  Char,         // the character a key press produced (follows its KeyDown)
  SysChar,
  MouseMove,
  LeftButtonDown,
  LeftButtonUp,
  LeftButtonDoubleClick,
  RightButtonDown,
  RightButtonUp,
  RightButtonDoubleClick,
  MiddleButton,  // middle button and wheel: no event
  Timer,
  // Window roles.
  WindowDestroyed,
  ActivationChanged,
  PaintRequest,
  CloseRequest,
  DisplaySettingsChanged,
  Command,           // commandId, commandParam (the framework's 0x7FFF)
  SysCommandMaximize,
  PaletteQuery,
  PaletteChanged,    // otherWindow: the window that changed it
};

// Modifier and button state at the time of the message.
inline constexpr uint32_t PlatformKeyShift = 0x01;
inline constexpr uint32_t PlatformKeyControl = 0x02;
inline constexpr uint32_t PlatformButtonLeft = 0x04;
inline constexpr uint32_t PlatformButtonRight = 0x08;

struct PlatformMessage {
  PlatformMessageType type = PlatformMessageType::None;
  void *window = nullptr;
  uint32_t time = 0;  // milliseconds
  // Keys: PC set-1 scan code (extended bit dropped), whether the key was
  // already down (auto-repeat), the repeat count, and the Alt context bit.
  int scanCode = 0;
  int previouslyDown = 0;
  int repeatCount = 1;
  int altContext = 0;
  // Char and SysChar: the character code.
  int character = 0;
  // Mouse: position in screen coordinates; window coordinates in windowX/Y.
  int screenX = 0, screenY = 0;
  int windowX = 0, windowY = 0;
  uint32_t keyState = 0;  // PlatformKey* and PlatformButton* bits
  // Command.
  int commandId = 0;
  int commandParam = 0;
  // ActivationChanged: low half (nonzero = active) and high half (minimised).
  int activeState = 0;
  int minimized = 0;
  void *otherWindow = nullptr;
};
