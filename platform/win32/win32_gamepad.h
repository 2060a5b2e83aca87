// Xbox-style controllers through XInput. The XInput DLL is loaded when the
// first poll asks for it, so the programs start on a system without one and
// simply see no controller there. The four slots are read every frame and
// what they hold goes through the shared mapping (platform/common/gamepad_keys.h).
#pragma once

#include "platform/win32/win32_internal.h"

#include <xinput.h>

#include <cstdint>
#include <initializer_list>

using XInputGetStateFunction = DWORD(WINAPI *)(DWORD slot, XINPUT_STATE *state);

// The first of the named DLLs that loads and has XInputGetState; null when
// none does.
XInputGetStateFunction loadXInputGetState(std::initializer_list<const char *> dllNames);

// Reads the controllers through `getState` from now on instead of the DLL
// (null: as on a system without XInput). Forgets the pads seen so far
// without letting go of their keys.
void readXInputThrough(XInputGetStateFunction getState);

// A key a controller pressed or let go.
using PadKeySink = void (*)(int scanCode, int character, bool down);

// Reads the slots: those with a controller at every call, the empty ones once
// a second (an empty slot is slow to ask, and a pad plugged in can wait that
// long). `nowMs` is the back end's millisecond clock.
void pollXInputPads(uint32_t nowMs, PadKeySink press);

// Lets go of every key the pads hold, for a program that went behind
// another; the next poll reads them afresh.
void releaseXInputPads(PadKeySink press);
