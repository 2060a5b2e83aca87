#include "platform/sdl/gamepad.h"

#include <algorithm>
#include <vector>

namespace {

struct OpenController {
  SDL_JoystickID id;
  SDL_GameController *controller;
};

std::vector<OpenController> controllers;
GamepadKeys keys;

bool isOpen(SDL_JoystickID id) {
  return std::any_of(controllers.begin(), controllers.end(), [id](const OpenController &c) { return c.id == id; });
}

int buttonOf(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return static_cast<int>(PadButton::DpadUp);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return static_cast<int>(PadButton::DpadDown);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return static_cast<int>(PadButton::DpadLeft);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return static_cast<int>(PadButton::DpadRight);
    case SDL_CONTROLLER_BUTTON_A:
      return static_cast<int>(PadButton::South);
    case SDL_CONTROLLER_BUTTON_START:
      return static_cast<int>(PadButton::Start);
    case SDL_CONTROLLER_BUTTON_BACK:
      return static_cast<int>(PadButton::Back);
    default:
      return -1;
  }
}

void press(const PadKeyChanges &changes, void *window, uint32_t time) {
  for (int i = 0; i < changes.count; ++i) {
    const PadKey &k = changes.keys[i];
    pushGamepadKey(window, time, k.scanCode, k.character, k.down);
  }
}

void open(int deviceIndex) {
  SDL_GameController *c = SDL_GameControllerOpen(deviceIndex);
  if (!c) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
  if (isOpen(id)) {
    SDL_GameControllerClose(c);  // the same device reported twice
    return;
  }
  controllers.push_back({id, c});
  keys.report(id, PadState{});
}

void close(SDL_JoystickID id, void *window, uint32_t time) {
  auto it = std::find_if(controllers.begin(), controllers.end(),
                         [id](const OpenController &c) { return c.id == id; });
  if (it == controllers.end()) return;
  press(keys.remove(id), window, time);
  SDL_GameControllerClose(it->controller);
  controllers.erase(it);
}

}  // namespace

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
      if (const int b = buttonOf(e.cbutton.button); b >= 0)
        press(keys.setButton(e.cbutton.which, static_cast<PadButton>(b), e.type == SDL_CONTROLLERBUTTONDOWN),
              window, e.cbutton.timestamp);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
        press(keys.moveStickX(e.caxis.which, e.caxis.value), window, e.caxis.timestamp);
      else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)  // down is positive, as the shared mapping takes it
        press(keys.moveStickY(e.caxis.which, e.caxis.value), window, e.caxis.timestamp);
      return true;
    default:
      return false;
  }
}
