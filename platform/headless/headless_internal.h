// Private to the headless back end.
#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <vector>

#include "platform/headless/headless_control.h"

struct HeadlessState {
  bool display = true;
  int desktopWidth = 1024, desktopHeight = 768;
  int frameExtraWidth = 16, frameExtraHeight = 39;
  std::vector<HeadlessMode> modes;
  bool failOutput = false;
  int messageBoxAnswer = 1;
  int clockStep = 0;
  uint32_t fakeClock = 0;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  uint32_t keyState = 0;
  std::deque<PlatformMessage> messages;
  std::vector<std::unique_ptr<HeadlessWindow>> windows;
  HeadlessRecord record;
};

HeadlessState &headlessState();
uint32_t headlessClockPeek();

// The operations behind the RK_Platform table.
bool headlessHasDisplay();
void headlessDesktopSize(int *width, int *height);
bool headlessServesMode(int family, int width, int height, int bits, int *pages);
void *headlessCreateWindow(const char *title, bool maximizeBox);
void headlessDestroyWindow(void *window);
void headlessPlaceWindow(void *window, int x, int y, int width, int height);
void headlessWindowPosition(void *window, int *x, int *y);
void headlessFrameExtra(void *window, int *width, int *height);
void headlessShowWindow(void *window);
void headlessClientSize(void *window, int *width, int *height);
bool headlessEnterFullScreen(void *window, int width, int height, int bits);
void headlessLeaveFullScreen(void *window);
bool headlessEnterWindowed(void *window, int width, int height, int bits);
void headlessPresent(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                     const PaletteEntry *palette, const PixelFormat *format, int waitVRT);
void headlessRealizePalette(void *window, const PaletteEntry *entries, int count, int first, int waitVRT);
int headlessMessageBox(const char *caption, const char *text, int kind);
bool headlessNextMessage(PlatformMessage *out);
bool headlessTakeCharacter(PlatformMessage *out, bool system);
uint32_t headlessKeyState();
void headlessPostMessage(const PlatformMessage &message);
uint32_t headlessTicks();
uint64_t headlessMicroseconds();
void headlessSleep(int milliseconds);
