// The SDL2 display back end: windows, full-screen output, presenting pages,
// keyboard and mouse messages with PC scan codes, message boxes.
#pragma once

// Installs the back end (RK_setPlatform). The video system starts on first
// use, so SDL_VIDEODRIVER may still be set before the first call into it.
void useSdlPlatform();

// Installs the host (setHost) of the SDL2 build: installed data under
// share/games/kelvaro or share/kelvaro beside the program's folder, standard
// error seen.
void useSdlHost();

#include <cstdint>

// The icon of the windows created from now on: size x size pixels of
// 0xAARRGGBB, rows top down, kept by the caller for as long as the program
// runs. Null (the start) leaves the window system's own.
void setSdlWindowIcon(const uint32_t *argb, int size);
