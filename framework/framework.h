// The application framework: driver options and the list of usable video
// modes, mode set with pages and back buffer, the window, the main loop with
// its callbacks, the buffer swap and full-screen/windowed switching.
#pragma once

#include <cstdint>

#include "framework/events/events.h"
#include "graphics/rasterkit.h"

struct DriverOptions {
  int32_t useDirectAccess;
  int32_t useDirectDraw;
  int32_t useVGA;
  int32_t useVGAX;
  int32_t useVBE;
  int32_t useLinear;
  int32_t useVBEAF;
  int32_t useFullScreenDIB;
  int32_t useOpenGL;
  int32_t modeFilter;  // 0x01 8 bits, 0x02 15/16, 0x04 24, 0x08 32
};

struct VideoMode {
  int32_t mode;
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
  int32_t pages;
  int32_t flags;
  char driverName[16];
  int32_t stretch;        // 0 none, 1 rows doubled, 2 both doubled
  int32_t windowStretch;  // stretch used in a window
};

using DrawFunc = void (*)();
using GameFunc = void (*)();
using KeyDownFunc = void (*)(const Event &event);
using KeyUpFunc = void (*)(const Event &event);
using MouseDownFunc = void (*)(const Event &event);
using ActivateFunc = void (*)(int active);
using ModeSwitchFunc = int (*)(const VideoMode &mode, int windowed);
using SuspendAppFunc = int (*)(DeviceContext *dc, int reason);

DeviceContext **initFramework(const char *title);
void setDriverOptions(const DriverOptions &options);
bool findMode(VideoMode *out, int width, int height, int bitsPerPixel);
bool setMode(const VideoMode &mode, int windowed, int pages, int forceBackBuffer);

void setDrawFunc(DrawFunc f);
void setGameFunc(GameFunc f);
void setKeyDownFunc(KeyDownFunc f);
void setKeyUpFunc(KeyUpFunc f);
void setMouseDownFunc(MouseDownFunc f);
void setActivateFunc(ActivateFunc f);
void setModeSwitchFunc(ModeSwitchFunc f);
void setSuspendAppFunc(SuspendAppFunc f);

int runMainLoop();
void quitMainLoop();
void swapBuffers(int wait);
void setFrameworkPalette(const PaletteEntry *entries, int count, int start);
void realizeFrameworkPalette(int count, int start, int wait);
void pumpMessages();
int onLibrarySuspend(DeviceContext *dc, int reason);
int shutdownFramework();
