// Game controllers as a second keyboard, the same on every back end: the
// D-pad and the left stick act as the arrow keys, the south button as Enter,
// Start as Right (take the menu item), Back as Escape. Each back end reads its
// controllers its own way (events or polling) and reports what a pad holds;
// this turns that into key presses and releases with the keyboard's set-1
// scan codes, so nothing above the back end knows a controller.
#pragma once

#include <cstdint>

// The stick leaves its centre past kStickPress and must come back inside
// kStickRelease to count as let go, so a stick resting near the edge of the
// dead zone does not chatter. Axis values run from -32768 to 32767.
inline constexpr int kStickPress = 16000;
inline constexpr int kStickRelease = 10000;
// -1, 0 or +1 for an axis value, given whether the axis held a direction
// (-1, 0, +1) before.
int stickDirection(int value, int before);

enum class PadButton { DpadUp, DpadDown, DpadLeft, DpadRight, South, Start, Back, Count };

// What one controller holds: its buttons and its left stick (y grows
// downwards).
struct PadState {
  bool buttons[static_cast<int>(PadButton::Count)] = {};
  int stickX = 0, stickY = 0;

  void set(PadButton b, bool down) { buttons[static_cast<int>(b)] = down; }
};

struct PadKey {
  int scanCode;   // PC set-1 code
  int character;  // what the key types (Enter 13, Escape 27), else 0
  bool down;
};

// The keys one report changed: releases first, then presses. Six keys at
// most, each changing once.
struct PadKeyChanges {
  static constexpr int kMost = 6;
  int count = 0;
  PadKey keys[kMost] = {};
};

// The controllers plugged in and the keys they hold together: a key goes
// down with the first control that holds it and up with the last, as one key
// would, whichever pads hold it.
class GamepadKeys {
 public:
  static constexpr int kMostPads = 8;

  // What pad `id` holds now; a pad not seen before is plugged in. A ninth
  // pad at once is ignored.
  PadKeyChanges report(int id, const PadState &now);
  // One button or one stick axis of a pad already plugged in.
  PadKeyChanges setButton(int id, PadButton button, bool down);
  PadKeyChanges moveStickX(int id, int value);
  PadKeyChanges moveStickY(int id, int value);
  // The pad is pulled: it lets go of everything it held.
  PadKeyChanges remove(int id);
  bool known(int id) const { return find(id) != nullptr; }

 private:
  enum Source { Up, Down, Left, Right, South, Start, Back, StickUp, StickDown, StickLeft, StickRight, SourceCount };
  struct Pad {
    bool used = false;
    int id = 0;
    PadState state;
    int stickX = 0, stickY = 0;  // directions: -1, 0, +1
    bool held[SourceCount] = {};
  };

  Pad *find(int id);
  const Pad *find(int id) const;
  PadKeyChanges hold(Pad &pad, const bool (&held)[SourceCount]);

  Pad pads_[kMostPads];
  // How many controls hold each key, by scan code.
  int holders_[256] = {};
};
