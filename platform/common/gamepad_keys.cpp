#include "platform/common/gamepad_keys.h"

#include <initializer_list>

namespace {

struct KeyOfControl {
  int scanCode;
  int character;
};

// By source, in the order of GamepadKeys::Source.
constexpr KeyOfControl kKeys[] = {
    {72, 0},   // D-pad up
    {80, 0},   // D-pad down
    {75, 0},   // D-pad left
    {77, 0},   // D-pad right
    {28, 13},  // south button: Enter
    {77, 0},   // Start: Right, which takes the menu item
    {1, 27},   // Back: Escape, seen by its character
    {72, 0},   // stick up
    {80, 0},   // stick down
    {75, 0},   // stick left
    {77, 0},   // stick right
};

// The keys a pad can hold, in the order their changes are reported.
constexpr int kPadScanCodes[] = {72, 80, 75, 77, 28, 1};

int characterOf(int scanCode) {
  for (const KeyOfControl &k : kKeys)
    if (k.scanCode == scanCode) return k.character;
  return 0;
}

}  // namespace

int stickDirection(int value, int before) {
  if (value <= -kStickPress) return -1;
  if (value >= kStickPress) return 1;
  if (before < 0 && value <= -kStickRelease) return -1;
  if (before > 0 && value >= kStickRelease) return 1;
  return 0;
}

GamepadKeys::Pad *GamepadKeys::find(int id) {
  for (Pad &p : pads_)
    if (p.used && p.id == id) return &p;
  return nullptr;
}

const GamepadKeys::Pad *GamepadKeys::find(int id) const {
  for (const Pad &p : pads_)
    if (p.used && p.id == id) return &p;
  return nullptr;
}

PadKeyChanges GamepadKeys::hold(Pad &pad, const bool (&held)[SourceCount]) {
  int before[sizeof kPadScanCodes / sizeof kPadScanCodes[0]];
  for (int i = 0; const int scan : kPadScanCodes) before[i++] = holders_[scan];
  for (int s = 0; s < SourceCount; ++s) {
    if (pad.held[s] == held[s]) continue;
    pad.held[s] = held[s];
    holders_[kKeys[s].scanCode] += held[s] ? 1 : -1;
  }
  // Net changes only: a control let go while another takes over the same
  // key within one report leaves the key held.
  PadKeyChanges changes;
  for (const bool down : {false, true}) {
    for (int i = 0; const int scan : kPadScanCodes) {
      const bool was = before[i++] > 0, is = holders_[scan] > 0;
      if (was != is && is == down) changes.keys[changes.count++] = {scan, characterOf(scan), down};
    }
  }
  return changes;
}

PadKeyChanges GamepadKeys::report(int id, const PadState &now) {
  Pad *pad = find(id);
  if (!pad) {
    for (Pad &p : pads_) {
      if (p.used) continue;
      p = Pad{};
      p.used = true;
      p.id = id;
      pad = &p;
      break;
    }
    if (!pad) return {};
  }
  pad->state = now;
  pad->stickX = stickDirection(now.stickX, pad->stickX);
  pad->stickY = stickDirection(now.stickY, pad->stickY);
  bool held[SourceCount] = {};
  for (int b = 0; b < static_cast<int>(PadButton::Count); ++b) held[b] = now.buttons[b];
  held[StickUp] = pad->stickY < 0;
  held[StickDown] = pad->stickY > 0;
  held[StickLeft] = pad->stickX < 0;
  held[StickRight] = pad->stickX > 0;
  return hold(*pad, held);
}

PadKeyChanges GamepadKeys::setButton(int id, PadButton button, bool down) {
  Pad *pad = find(id);
  if (!pad) return {};
  PadState now = pad->state;
  now.set(button, down);
  return report(id, now);
}

PadKeyChanges GamepadKeys::moveStickX(int id, int value) {
  Pad *pad = find(id);
  if (!pad) return {};
  PadState now = pad->state;
  now.stickX = value;
  return report(id, now);
}

PadKeyChanges GamepadKeys::moveStickY(int id, int value) {
  Pad *pad = find(id);
  if (!pad) return {};
  PadState now = pad->state;
  now.stickY = value;
  return report(id, now);
}

PadKeyChanges GamepadKeys::remove(int id) {
  Pad *pad = find(id);
  if (!pad) return {};
  const bool none[SourceCount] = {};
  const PadKeyChanges changes = hold(*pad, none);
  pad->used = false;
  return changes;
}
