// The back end's windows: creation, placement, full-screen and windowed
// output.
#include <algorithm>
#include <new>

#include "platform/common/ring_messages.h"
#include "platform/common/window_list.h"
#include "platform/win32/win32_internal.h"

namespace {

WindowList<Win32Window> windows;

constexpr int kIconResource = 1;

void coverDesktop(Win32Window *w) {
  const RECT d = desktopRect(w->hwnd);
  SetWindowPos(w->hwnd, HWND_TOP, d.left, d.top, d.right - d.left, d.bottom - d.top,
               SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

}  // namespace

const char *windowClassName() {
  return "GameFrameworkWindow";
}

bool registerWindowClass() {
  static bool registered = false;
  if (registered) return true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA c{};
  c.style = CS_DBLCLKS;
  c.lpfnWndProc = windowProc;
  c.hInstance = instance;
  c.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  if (!c.hIcon) c.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  c.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));            // IDC_ARROW
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = windowClassName();
  registered = RegisterClassA(&c) != 0;
  return registered;
}

DWORD windowedStyle(bool maximizeBox) {
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
         (maximizeBox ? WS_MAXIMIZEBOX : 0);
}

RECT desktopRect(HWND hwnd) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Win32Window *liveWindow(void *handle) {
  return windows.live(handle);
}

Win32Window *windowForHandle(HWND hwnd) {
  return windows.find([hwnd](const Win32Window &w) { return w.hwnd == hwnd; });
}

Win32Window *anyLiveWindow() {
  return windows.first();
}

void *win32CreateWindow(const char *title, bool maximizeBox) {
  if (!registerWindowClass()) return nullptr;
  auto *w = new (std::nothrow) Win32Window{};
  if (!w) return nullptr;
  w->maximizeBox = maximizeBox;
  // Listed before it exists: the messages its creation sends find it.
  windows.add(w);
  w->hwnd = CreateWindowExA(0, windowClassName(), title ? title : "", windowedStyle(maximizeBox), 0, 0, 320,
                            200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!w->hwnd) {
    windows.remove(w);
    delete w;
    return nullptr;
  }
  GetWindowRect(w->hwnd, &w->windowedRect);
  return w;
}

void win32DestroyWindow(void *handle) {
  Win32Window *w = liveWindow(handle);
  if (!w) return;
  windows.remove(w);
  platformMessageRing().dropWindow(w);
  DestroyWindow(w->hwnd);
  delete w;
}

void win32PlaceWindow(void *handle, int x, int y, int width, int height) {
  Win32Window *w = liveWindow(handle);
  if (!w || w->fullScreen) return;
  if (IsZoomed(w->hwnd) || IsIconic(w->hwnd)) ShowWindow(w->hwnd, SW_RESTORE);
  SetWindowPos(w->hwnd, nullptr, x, y, std::max(width, 1), std::max(height, 1),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void win32WindowPosition(void *handle, int *x, int *y) {
  Win32Window *w = liveWindow(handle);
  RECT r{};
  if (w) GetWindowRect(w->hwnd, &r);
  if (x) *x = r.left;
  if (y) *y = r.top;
}

// The frame of windowed output, whatever the window shows now.
void win32FrameExtra(void *handle, int *width, int *height) {
  Win32Window *w = liveWindow(handle);
  RECT r{0, 0, 100, 100};
  if (w) AdjustWindowRectEx(&r, windowedStyle(w->maximizeBox), FALSE, 0);
  if (width) *width = (r.right - r.left) - 100;
  if (height) *height = (r.bottom - r.top) - 100;
}

void win32ClientSize(void *handle, int *width, int *height) {
  Win32Window *w = liveWindow(handle);
  RECT r{};
  if (w) GetClientRect(w->hwnd, &r);
  if (width) *width = r.right - r.left;
  if (height) *height = r.bottom - r.top;
}

void win32ShowWindow(void *handle) {
  Win32Window *w = liveWindow(handle);
  if (!w) return;
  ShowWindow(w->hwnd, SW_SHOW);
  SetFocus(w->hwnd);
  SetActiveWindow(w->hwnd);
  SetForegroundWindow(w->hwnd);
}

bool win32EnterFullScreen(void *handle, int width, int height, int) {
  Win32Window *w = liveWindow(handle);
  if (!w) return false;
  if (!w->fullScreen) {
    if (!IsIconic(w->hwnd)) GetWindowRect(w->hwnd, &w->windowedRect);
    // A borderless window over the whole desktop, which keeps its own mode;
    // the picture is scaled onto it.
    SetWindowLongPtrA(w->hwnd, GWL_STYLE, static_cast<LONG_PTR>(kFullScreenStyle));
  }
  w->fullScreen = true;
  w->runningInBackground = false;
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->hasPicture = false;
  coverDesktop(w);
  SetForegroundWindow(w->hwnd);
  SetFocus(w->hwnd);
  InvalidateRect(w->hwnd, nullptr, FALSE);
  return true;
}

void win32LeaveFullScreen(void *handle) {
  Win32Window *w = liveWindow(handle);
  if (!w || !w->fullScreen) return;
  w->fullScreen = false;
  w->runningInBackground = false;
  SetWindowLongPtrA(w->hwnd, GWL_STYLE, static_cast<LONG_PTR>(windowedStyle(w->maximizeBox) | WS_VISIBLE));
  const RECT &r = w->windowedRect;
  SetWindowPos(w->hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_FRAMECHANGED | SWP_NOZORDER);
}

bool win32EnterWindowed(void *handle, int width, int height, int) {
  Win32Window *w = liveWindow(handle);
  if (!w) return false;
  win32LeaveFullScreen(handle);
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->hasPicture = false;
  InvalidateRect(w->hwnd, nullptr, FALSE);
  return true;
}

// Back in front after a suspension: cover the desktop again.
void restoreFullScreen(Win32Window *w) {
  if (IsIconic(w->hwnd)) ShowWindow(w->hwnd, SW_RESTORE);
  coverDesktop(w);
  InvalidateRect(w->hwnd, nullptr, FALSE);
}
