#include "platform/sdl/gamepad.h"

#include <algorithm>
#include <vector>

namespace {

struct GamepadKey {
  int scanCode;   // PC set-1 code
  int character;  // what the key types (Enter 13, Escape 27), else 0
};

// Every control that can hold a key down, per controller.
enum Source {
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
  StickUp,
  StickDown,
  StickLeft,
  StickRight,
  South,
  Start,
  Back,
  SourceCount
};

struct Pad {
  SDL_JoystickID id = -1;
  SDL_GameController *controller = nullptr;
  bool held[SourceCount] = {};
  int stickX = 0, stickY = 0;  // -1, 0, +1
};

std::vector<Pad> pads;
// How many controls hold each scan code: the key goes down with the first
// and up with the last, as one key would.
int holders[256] = {};

GamepadKey keyOf(Source s) {
  switch (s) {
    case DpadUp:
    case StickUp:
      return {72, 0};
    case DpadDown:
    case StickDown:
      return {80, 0};
    case DpadLeft:
    case StickLeft:
      return {75, 0};
    case DpadRight:
    case StickRight:
    case Start:
      return {77, 0};
    case South:
      return {28, 13};
    case Back:
      return {1, 27};
    default:
      return {0, 0};
  }
}

int sourceOfButton(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return DpadRight;
    case SDL_CONTROLLER_BUTTON_A:
      return South;
    case SDL_CONTROLLER_BUTTON_START:
      return Start;
    case SDL_CONTROLLER_BUTTON_BACK:
      return Back;
    default:
      return -1;
  }
}

Pad *padFor(SDL_JoystickID id) {
  for (Pad &p : pads)
    if (p.id == id) return &p;
  return nullptr;
}

void setHeld(Pad &pad, int source, bool down, void *window, uint32_t time) {
  if (source < 0 || pad.held[source] == down) return;
  pad.held[source] = down;
  const GamepadKey key = keyOf(static_cast<Source>(source));
  int &n = holders[key.scanCode];
  n += down ? 1 : -1;
  if ((down && n == 1) || (!down && n == 0)) pushGamepadKey(window, time, key.scanCode, key.character, down);
}

void moveStick(Pad &pad, int *direction, int value, Source negative, Source positive, void *window,
               uint32_t time) {
  *direction = stickDirection(value, *direction);
  setHeld(pad, negative, *direction < 0, window, time);
  setHeld(pad, positive, *direction > 0, window, time);
}

void releaseAll(Pad &pad, void *window, uint32_t time) {
  for (int s = 0; s < SourceCount; ++s) setHeld(pad, s, false, window, time);
  pad.stickX = pad.stickY = 0;
}

void open(int deviceIndex) {
  SDL_GameController *c = SDL_GameControllerOpen(deviceIndex);
  if (!c) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
  if (padFor(id)) {
    SDL_GameControllerClose(c);  // the same device reported twice
    return;
  }
  Pad pad;
  pad.id = id;
  pad.controller = c;
  pads.push_back(pad);
}

void close(SDL_JoystickID id, void *window, uint32_t time) {
  auto it = std::find_if(pads.begin(), pads.end(), [id](const Pad &p) { return p.id == id; });
  if (it == pads.end()) return;
  releaseAll(*it, window, time);
  SDL_GameControllerClose(it->controller);
  pads.erase(it);
}

}  // namespace

int stickDirection(int value, int before) {
  if (value <= -kStickPress) return -1;
  if (value >= kStickPress) return 1;
  if (before < 0 && value <= -kStickRelease) return -1;
  if (before > 0 && value >= kStickRelease) return 1;
  return 0;
}

bool translateGamepadEvent(const SDL_Event &e, void *window) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      open(e.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      close(e.cdevice.which, window, e.cdevice.timestamp);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Pad *pad = padFor(e.cbutton.which))
        setHeld(*pad, sourceOfButton(static_cast<SDL_GameControllerButton>(e.cbutton.button)),
                e.type == SDL_CONTROLLERBUTTONDOWN, window, e.cbutton.timestamp);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (Pad *pad = padFor(e.caxis.which)) {
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
          moveStick(*pad, &pad->stickX, e.caxis.value, StickLeft, StickRight, window, e.caxis.timestamp);
        else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)  // down is positive
          moveStick(*pad, &pad->stickY, e.caxis.value, StickUp, StickDown, window, e.caxis.timestamp);
      }
      return true;
    default:
      return false;
  }
}
