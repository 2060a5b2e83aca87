// Shared by the Win32 back end's source files; the only header besides the
// sources themselves that includes windows.h.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/events/platform_message.h"
#include "graphics/rk_types.h"
#include "platform/win32/win32_picture.h"

struct Win32Window {
  HWND hwnd = nullptr;
  bool maximizeBox = false;
  bool fullScreen = false;
  // Where and how big the window was before it covered the desktop.
  RECT windowedRect{};
  // The picture last presented, kept for repaints: DIB rows and its header
  // with the colour table it was shown through.
  std::vector<uint8_t> dib;
  int pictureWidth = 0, pictureHeight = 0, pictureBits = 0;
  bool hasPicture = false;
  // The colours the picture was presented with.
  PaletteEntry shown[256] = {};
  // The palette realised for 8-bit pages presented without one.
  PaletteEntry realized[256] = {};
  // The suspend handler let the program run on while switched away from.
  bool runningInBackground = false;
  // Focus left the full-screen window: the pump suspends the program.
  bool suspendPending = false;
  // Activated again while suspended.
  bool reactivated = false;
};

// The window class and the window procedure.
const char *windowClassName();
bool registerWindowClass();
LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Windows alive; null for anything that is not one (already destroyed).
Win32Window *liveWindow(void *handle);
Win32Window *windowForHandle(HWND hwnd);
Win32Window *anyLiveWindow();

// Window styles of the two kinds of output.
DWORD windowedStyle(bool maximizeBox);
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// The desktop the window covers in full screen.
RECT desktopRect(HWND hwnd);

// Back in front after a suspension: covers the desktop again.
void restoreFullScreen(Win32Window *w);

// Paints the last presented picture, centred on black, into `dc`.
void paintPicture(Win32Window *w, HDC dc);
// Where the picture lands in the client area (mouse positions).
PictureArea clientPlacement(Win32Window *w);

// Translates what the system queue holds into the platform's message ring
// (platform/common/ring_messages.h); pollMessages also reads the pads and
// suspends a full-screen program that lost the front.
void pumpSystemQueue();
void pollMessages();

int showMessageBox(const char *caption, const char *text, int kind);

// Milliseconds since the back end started, and the 60 Hz retrace tick.
uint32_t millisecondsSinceStart();
uint64_t microsecondsSinceStart();
void waitForRetraceTick();
