#include "platform/win32/win32_gamepad.h"

#include <algorithm>

#include "platform/common/gamepad_keys.h"

namespace {

constexpr int kSlots = XUSER_MAX_COUNT;
constexpr uint32_t kEmptySlotCheckMs = 1000;

bool loaded = false;
XInputGetStateFunction getState = nullptr;
GamepadKeys keys;
bool everChecked[kSlots] = {};
uint32_t lastChecked[kSlots] = {};

void press(const PadKeyChanges &changes, PadKeySink sink) {
  for (int i = 0; i < changes.count; ++i) sink(changes.keys[i].scanCode, changes.keys[i].character, changes.keys[i].down);
}

PadState stateOf(const XINPUT_GAMEPAD &g) {
  PadState s;
  s.set(PadButton::DpadUp, g.wButtons & XINPUT_GAMEPAD_DPAD_UP);
  s.set(PadButton::DpadDown, g.wButtons & XINPUT_GAMEPAD_DPAD_DOWN);
  s.set(PadButton::DpadLeft, g.wButtons & XINPUT_GAMEPAD_DPAD_LEFT);
  s.set(PadButton::DpadRight, g.wButtons & XINPUT_GAMEPAD_DPAD_RIGHT);
  s.set(PadButton::South, g.wButtons & XINPUT_GAMEPAD_A);
  s.set(PadButton::Start, g.wButtons & XINPUT_GAMEPAD_START);
  s.set(PadButton::Back, g.wButtons & XINPUT_GAMEPAD_BACK);
  s.stickX = g.sThumbLX;
  // XInput's stick grows upwards; the mapping's grows downwards.
  s.stickY = std::min(32767, -static_cast<int>(g.sThumbLY));
  return s;
}

}  // namespace

XInputGetStateFunction loadXInputGetState(std::initializer_list<const char *> dllNames) {
  for (const char *name : dllNames) {
    HMODULE dll = LoadLibraryA(name);
    if (!dll) continue;
    if (FARPROC f = GetProcAddress(dll, "XInputGetState")) return reinterpret_cast<XInputGetStateFunction>(
        reinterpret_cast<void (*)()>(f));
    FreeLibrary(dll);
  }
  return nullptr;
}

void readXInputThrough(XInputGetStateFunction function) {
  loaded = true;
  getState = function;
  keys = GamepadKeys{};
  std::fill(std::begin(everChecked), std::end(everChecked), false);
}

void pollXInputPads(uint32_t nowMs, PadKeySink sink) {
  if (!loaded) {
    // Windows 8 and later carry 1.4; 9.1.0 comes with Windows 7 and Vista.
    loaded = true;
    getState = loadXInputGetState({"xinput1_4.dll", "xinput9_1_0.dll"});
  }
  if (!getState) return;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!keys.known(slot) && everChecked[slot] && nowMs - lastChecked[slot] < kEmptySlotCheckMs) continue;
    everChecked[slot] = true;
    lastChecked[slot] = nowMs;
    XINPUT_STATE state{};
    if (getState(static_cast<DWORD>(slot), &state) == ERROR_SUCCESS)
      press(keys.report(slot, stateOf(state.Gamepad)), sink);
    else
      press(keys.remove(slot), sink);  // pulled: let go of what it held
  }
}

void releaseXInputPads(PadKeySink sink) {
  for (int slot = 0; slot < kSlots; ++slot) {
    // Released but still known, so that it is read again at once.
    if (keys.known(slot)) press(keys.report(slot, PadState{}), sink);
  }
}
