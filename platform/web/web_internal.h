// Shared by the browser back end's source files.
#pragma once

#include <cstdint>

#include "graphics/rk_types.h"

// The one window: the page's canvas. Full screen and windowed output both
// show the picture on the canvas; the page scales it to fit.
struct WebWindow {
  bool fullScreen = false;
  bool maximizeBox = false;
  int x = 0, y = 0;
  int clientWidth = 320, clientHeight = 200;
  PaletteEntry realized[256] = {};
};

WebWindow *liveWebWindow(void *handle);
WebWindow *anyWebWindow();

// Starts the page's listeners (keys, visibility, focus) once.
void listenToPage();
// Whether a message box is up: its dialog then has the keyboard.
void setMessageBoxOpen(bool open);

// Milliseconds of the browser's clock since the program started.
double pageNowMs();

// Hands control to the browser until the next tick of the 60 Hz clock.
void waitForRetrace();
// Hands control to the browser for one of its frames.
void yieldToBrowser();
// When control last went to the browser (pageNowMs).
double lastYieldMs();
