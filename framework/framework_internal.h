// The framework's module state, shared by its source files and readable by
// its tests. One instance per process.
#pragma once

#include <cstdint>

#include "framework/framework.h"

inline constexpr int kMaxVideoModes = 75;
inline constexpr int kModeSwitchCommand = 0x7FFF;
inline constexpr int kModeSwitchToggle = 1;
inline constexpr int kModeSwitchGoWindowed = 2;

struct FrameworkState {
  // Mode list.
  VideoMode modes[kMaxVideoModes];
  int modeCount;
  int fullScreenCount;

  // Every permission on and no depth filter until the application says more.
  DriverOptions options{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
  bool driversRegistered;
  int detectedDriver;
  bool libraryStarted;  // RK_init has run and RK_shutdown has not

  // Window.
  void *window;
  bool classRegistered;
  bool windowCreated;
  char title[80];
  int frameExtraWidth, frameExtraHeight;
  int savedWindowX, savedWindowY;
  int windowWidth, windowHeight;  // outer size last placed

  // Platform facts.
  int screenWidth, screenHeight;
  bool oldHost;

  DeviceContext *displayDC;
  DeviceContext *backBufferDC;
  DeviceContext *drawDC;

  int fullScreen;
  int stretch;
  int displayWidth, displayHeight;
  int backWidth, backHeight;
  int activePage, visualPage;

  VideoMode currentMode;
  int currentPages;
  int currentForceBackBuffer;

  int inModeSet;
  // A mode set or a switch of output is running. Setting up a display pumps
  // window messages, so a second switch command can arrive inside the
  // first; it is dropped rather than run half-way through the first.
  bool switching;
  int active;
  int quit;

  // Window activation memory.
  int activeState;
  int minimized;
};

FrameworkState &frameworkState();

// Step 1 of start-up, also the end of shut-down.
void resetFrameworkState();

void registerDrivers();
void buildModeList();
int windowStretchFor(int width, int height);

bool setFullScreenMode(int mode, int pages, int stretch, int forceBackBuffer);
bool setWindowedMode(int width, int height, int stretch);
bool createFrameworkWindow();
bool setupDrawTargets(DeviceContext *dc, int forceBackBuffer);
void destroyFrameworkWindow();

// A rectangle to centre over; null means the desktop.
struct WindowArea {
  int x, y, width, height;
};
void centreWindow(void *window, const WindowArea *over);

// The window procedure: the answer a window system would get back.
int frameworkWindowProc(const PlatformMessage &message);
void postModeSwitch(int reason);

// Callback slots, read by the main loop and the window procedure.
DrawFunc drawFunc();
GameFunc gameFunc();
KeyDownFunc keyDownFunc();
KeyUpFunc keyUpFunc();
MouseDownFunc mouseDownFunc();
ActivateFunc activateFunc();
ModeSwitchFunc modeSwitchFunc();
SuspendAppFunc suspendAppFunc();

// The registry queries the mode list is built from; tests substitute a
// registry of their own (null restores the library's).
struct ModeQueries {
  int (*modeSize)(int mode, int *x, int *y, int *bits);
  const uint8_t *(*modeList)();
  int (*modeAttributes)(int mode);
  int (*modePages)(int mode);
  const char *(*modeDriver)(int mode);
};
void setModeQueries(const ModeQueries *queries);
