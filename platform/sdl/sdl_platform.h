// The SDL2 display back end: windows, full-screen output, presenting pages,
// keyboard and mouse messages with PC scan codes, message boxes.
#pragma once

// Installs the back end (RK_setPlatform). The video system starts on first
// use, so SDL_VIDEODRIVER may still be set before the first call into it.
void useSdlPlatform();
