// What a display back end offers the library and the framework: the desktop,
// the modes it can show, one top-level window, presenting a page of pixels
// through a palette, window-system messages, message boxes and the clock.
//
// Exactly one back end is in force (RK_setPlatform). The headless back end
// serves tests and tools; the desktop and browser back ends serve players.
#pragma once

#include <cstdint>

#include "framework/events/events.h"
#include "graphics/rk_types.h"

// Driver identifiers of the display families a back end can serve.
inline constexpr int RK_FamilyDIB = 2;
inline constexpr int RK_FamilyDirectDraw = 6;

// Message box kinds and answers.
inline constexpr int RK_BoxOkWarning = 0;   // OK button, warning icon
inline constexpr int RK_BoxOkInfo = 1;      // OK button, no icon
inline constexpr int RK_BoxYesNoQuestion = 2;
inline constexpr int RK_AnswerOk = 1;
inline constexpr int RK_AnswerYes = 1;
inline constexpr int RK_AnswerNo = 0;

struct RK_Platform {
  const char *name;

  // False where nothing can be shown: then no mode is detected.
  bool (*hasDisplay)();
  void (*desktopSize)(int *width, int *height);
  // Whether the family can show width x height x bits full screen; pages
  // receives the page count it offers (at least 1).
  bool (*servesMode)(int family, int width, int height, int bits, int *pages);

  // The one top-level window. `maximizeBox`: the window offers the
  // maximise control (it posts SysCommandMaximize).
  void *(*createWindow)(const char *title, bool maximizeBox);
  void (*destroyWindow)(void *window);
  void (*placeWindow)(void *window, int x, int y, int width, int height);
  void (*windowPosition)(void *window, int *x, int *y);
  // Window size minus client size.
  void (*frameExtra)(void *window, int *width, int *height);
  void (*showWindow)(void *window);  // show, focus, activate, raise

  // Output. Full screen covers the desktop and shows width x height pixels
  // scaled by a whole factor; windowed shows them in the window's client
  // area at displayWidth x displayHeight.
  bool (*enterFullScreen)(void *window, int width, int height, int bits);
  void (*leaveFullScreen)(void *window);
  bool (*enterWindowed)(void *window, int width, int height, int bits);
  // Shows a page: `pixels` are width x height at `bits` per pixel; 8-bit
  // pixels go through `palette` (256 entries), others through `format`.
  void (*present)(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                  const PaletteEntry *palette, const PixelFormat *format, int waitVRT);
  // The palette that the next present of 8-bit pixels uses.
  void (*realizePalette)(void *window, const PaletteEntry *entries, int count, int first, int waitVRT);

  // Window-system messages, in order.
  PlatformMessageSource messages;
  void (*postMessage)(const PlatformMessage &message);

  int (*messageBox)(const char *caption, const char *text, int kind);
  uint32_t (*ticks)();  // milliseconds since start
  void (*sleep)(int milliseconds);

  // Size of the window's client area: a windowed context takes this size.
  // May be left null; windowed contexts then measure 640 x 480.
  void (*clientSize)(void *window, int *width, int *height);

  // Microseconds since start, on the same clock as `ticks`: a frame drawn
  // in well under a millisecond still measures more than nothing. May be
  // left null; RK_microseconds then counts whole milliseconds.
  uint64_t (*microseconds)();
};

// Installs a back end (and makes it the event pump's message source).
void RK_setPlatform(const RK_Platform *platform);
const RK_Platform *RK_platform();

// The finer clock of the back end in force (its ticks x 1000 when it has
// none); 0 without a back end.
uint64_t RK_microseconds();

// Shows a message box through the back end in force and always writes
// "caption: text" as one line to standard error; without a display the line
// alone carries it. Returns the answer.
int RK_showMessageBox(const char *caption, const char *text, int kind);

// The box alone, for a caller that has written its own lines to standard
// error already: nothing is echoed, and without a display nothing is shown.
// Returns the answer (a question counts as agreed to without a display).
int RK_showMessageBoxOnly(const char *caption, const char *text, int kind);
