// Game controllers as a second keyboard: the D-pad and the left stick act as
// the arrow keys, the south button as Enter, Start as Right (take the menu
// item), Back as Escape. They reach the program as ordinary key messages with
// the keyboard's set-1 scan codes, so nothing above the back end knows them.
#pragma once

#include <SDL.h>

#include <cstdint>

// The stick leaves its centre past kStickPress and must come back inside
// kStickRelease to count as let go, so a stick resting near the edge of the
// dead zone does not chatter.
inline constexpr int kStickPress = 16000;
inline constexpr int kStickRelease = 10000;
// -1, 0 or +1 for an axis value, given whether the axis held a direction
// (-1, 0, +1) before.
int stickDirection(int value, int before);

// Opens controllers as they are plugged in and forgets them (letting go of
// what they held) as they are pulled. Turns their button and axis events
// into key messages for `window`. Returns false for events of no controller.
bool translateGamepadEvent(const SDL_Event &event, void *window);

// A key message from a controller; defined by the message ring.
void pushGamepadKey(void *window, uint32_t time, int scanCode, int character, bool down);
