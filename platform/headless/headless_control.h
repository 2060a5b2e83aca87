// Steering and inspecting the headless back end: what display it pretends
// to have, which modes it serves, the messages it reports, the clock, and
// a record of everything shown on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/events/platform_message.h"
#include "graphics/rk_types.h"

struct HeadlessMode {
  int family;  // RK_FamilyDIB or RK_FamilyDirectDraw
  int width;
  int height;
  int bits;
  int pages;
};

struct HeadlessWindow {
  std::string title;
  bool maximizeBox = false;
  int x = 0, y = 0, width = 0, height = 0;  // outer size, frame included
  int showCount = 0;
};

// One page as it was shown: rows packed without padding.
struct HeadlessPresent {
  void *window = nullptr;
  bool fullScreen = false;
  int width = 0, height = 0, bits = 0, bytesPerLine = 0, waitVRT = 0;
  std::vector<uint8_t> pixels;
  PaletteEntry palette[256] = {};
  PixelFormat format = {};
};

struct HeadlessRealize {
  void *window = nullptr;
  PaletteEntry entries[256] = {};
  int count = 0, first = 0, waitVRT = 0;
};

struct HeadlessMessageBox {
  std::string caption;
  std::string text;
  int kind = 0;
};

struct HeadlessRecord {
  int presentCount = 0;
  HeadlessPresent lastPresent;
  int realizeCount = 0;
  HeadlessRealize lastRealize;
  std::vector<HeadlessMessageBox> messageBoxes;
  bool fullScreen = false;  // full-screen output in force
  int fullScreenWidth = 0, fullScreenHeight = 0, fullScreenBits = 0;
  int enterFullScreenCount = 0, leaveFullScreenCount = 0;
  int windowedWidth = 0, windowedHeight = 0, windowedBits = 0;
  int enterWindowedCount = 0;
  int windowsCreated = 0, windowsDestroyed = 0;
};

// ---- Configuration -----------------------------------------------------------
// Back to the start: a display of 1024 x 768, the default modes, no
// messages, no windows, wall clock, an answer of OK/Yes, records cleared.
void headlessReset();
void headlessSetDisplay(bool exists);
void headlessSetDesktopSize(int width, int height);
// Window size minus client size of every window (default 16 x 39).
void headlessSetFrameExtra(int width, int height);
// Both families at 8 bits: 320x200, 320x240, 640x400, 640x480, two pages each.
std::vector<HeadlessMode> headlessDefaultModes();
void headlessSetModes(const std::vector<HeadlessMode> &modes);
const std::vector<HeadlessMode> &headlessModes();
// Removes width x height x bits from every family.
void headlessRemoveMode(int width, int height, int bits);
// Makes entering full-screen or windowed output fail.
void headlessFailOutput(bool fail);
void headlessSetMessageBoxAnswer(int answer);
// A step of n > 0 makes every clock reading (milliseconds or microseconds)
// advance a fake clock by n milliseconds (and a sleep by its length); 0
// follows the wall clock.
void headlessSetClockStep(int milliseconds);
void headlessSetClock(uint32_t milliseconds);

// ---- Messages ------------------------------------------------------------------
// Queues a message as the window system would report it. A message without
// a window gets the newest live window; its time is the clock's reading.
void headlessInject(const PlatformMessage &message);
// A key press: KeyDown (SysKeyDown with Alt), then Char or SysChar when
// `character` is nonzero. `repeat` marks an auto-repeat of a held key.
void headlessPressKey(int scanCode, int character = 0, bool repeat = false, bool alt = false);
void headlessReleaseKey(int scanCode, bool alt = false);
void headlessMouse(PlatformMessageType type, int x, int y, uint32_t keyState = 0);
// Window roles without arguments: CloseRequest, DisplaySettingsChanged,
// PaintRequest, SysCommandMaximize, PaletteQuery, WindowDestroyed ...
void headlessWindowRole(PlatformMessageType type);
void headlessActivate(bool active, bool minimized = false);
// Shift and Control as the back end reports them (PlatformKey* bits);
// pressing and releasing their keys also changes them.
void headlessSetKeyState(uint32_t bits);
int headlessPendingMessages();
std::vector<PlatformMessage> headlessPendingMessageList();

// ---- Records -------------------------------------------------------------------
const HeadlessRecord &headlessRecord();
// The live window behind a handle, or null.
const HeadlessWindow *headlessWindow(const void *window);
int headlessLiveWindowCount();
