// Game controllers through SDL: opened as they are plugged in, their button
// and axis events handed to the shared mapping (platform/common/gamepad_keys.h),
// which makes key messages of them.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/common/gamepad_keys.h"

// Opens controllers as they are plugged in and forgets them (letting go of
// what they held) as they are pulled. Turns their button and axis events
// into key messages for `window`. Returns false for events of no controller.
bool translateGamepadEvent(const SDL_Event &event, void *window);

// A key message from a controller; defined by the message ring.
void pushGamepadKey(void *window, uint32_t time, int scanCode, int character, bool down);
