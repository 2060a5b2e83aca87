// Starting SDL's video system and telling whether there is a display.
#include <strings.h>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/sdl_internal.h"

namespace {

bool tried = false;
bool ready = false;

bool namedIn(const char *driver, const char *requested) {
  if (!requested) return false;
  const size_t length = std::strlen(driver);
  const char *at = requested;
  for (;;) {
    const char *end = std::strchr(at, ',');
    const size_t n = end ? static_cast<size_t>(end - at) : std::strlen(at);
    if (n == length && strncasecmp(at, driver, n) == 0) return true;
    if (!end) return false;
    at = end + 1;
  }
}

void startVideo() {
  // Ctrl+C in the terminal ends the program as usual; closing the window
  // asks its own question instead of quitting SDL-wide.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // Switching away from full screen hands the desktop back.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  // SDL falls back to drawing nowhere when it finds no display.
  if (!isRealVideoDriver(SDL_GetCurrentVideoDriver(), std::getenv("SDL_VIDEODRIVER"))) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return;
  }
  // Characters come from the key presses themselves, not from an input method.
  SDL_StopTextInput();
  // Controllers are a second keyboard; without them the keyboard serves.
  // Those plugged in already are reported as added at the first poll.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  std::atexit(SDL_Quit);
  ready = true;
}

}  // namespace

bool isRealVideoDriver(const char *driver, const char *requested) {
  if (!driver || !*driver) return false;
  if (strcasecmp(driver, "offscreen") != 0 && strcasecmp(driver, "dummy") != 0) return true;
  return namedIn(driver, requested);
}

bool sdlVideoReady() {
  if (!tried) {
    tried = true;
    startVideo();
  }
  return ready;
}
