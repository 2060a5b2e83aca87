// Shared by the SDL back end's source files.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "framework/events/platform_message.h"
#include "graphics/rk_types.h"
#include "platform/sdl/picture.h"

struct SdlWindow {
  SDL_Window *window = nullptr;
  SDL_Renderer *renderer = nullptr;
  SDL_Texture *texture = nullptr;
  int textureWidth = 0, textureHeight = 0;
  bool vsync = false;
  bool fullScreen = false;
  bool maximizeBox = false;
  // The client size last asked for; the window system may apply it later.
  int clientWidth = 0, clientHeight = 0;
  // The picture shown: its size and where it lands on the output.
  int pictureWidth = 0, pictureHeight = 0;
  bool hasPicture = false;
  // The palette realised for 8-bit pages presented without one.
  PaletteEntry realized[256] = {};
  // The suspend handler let the program run on while switched away from.
  bool runningInBackground = false;
};

// Video start-up: false when there is nothing to show anything on.
bool sdlVideoReady();
// Whether a video driver is a real display: SDL's stand-ins count only when
// asked for by name in `requested` (a comma-separated SDL_VIDEODRIVER list).
bool isRealVideoDriver(const char *driver, const char *requested);

// Windows alive; null for anything that is not one (already destroyed).
SdlWindow *liveWindow(void *handle);
SdlWindow *windowForId(Uint32 id);
SdlWindow *anyLiveWindow();

// Shows the last presented picture again (window uncovered, resized).
void redrawWindow(SdlWindow *w);
// Where the picture lands in window coordinates (mouse positions).
PictureArea windowPlacement(SdlWindow *w);

// Translates the SDL events waiting into the platform's message ring
// (platform/common/ring_messages.h).
void pollSdlEvents();

int showMessageBox(const char *caption, const char *text, int kind);
