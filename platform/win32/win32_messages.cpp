// Win32 messages as window-system messages, in order, plus the messages the
// program posts to itself. Also the wait while a full-screen program is
// switched away from.
#include "framework/events/events.h"
#include "graphics/rasterkit.h"
#include "platform/common/ring_messages.h"
#include "platform/common/suspend_protocol.h"
#include "platform/win32/win32_gamepad.h"
#include "platform/win32/win32_internal.h"
#include "platform/win32/win32_keys.h"

namespace {

// The window procedure fills the ring, also for messages the system sends
// outside the pump.
MessageRing &ring = platformMessageRing();

constexpr DWORD kSuspendStepMs = 200;

uint32_t modifierState() {
  uint32_t bits = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) bits |= PlatformKeyShift;
  if (GetKeyState(VK_CONTROL) & 0x8000) bits |= PlatformKeyControl;
  if (GetKeyState(VK_LBUTTON) & 0x8000) bits |= PlatformButtonLeft;
  if (GetKeyState(VK_RBUTTON) & 0x8000) bits |= PlatformButtonRight;
  return bits;
}

uint32_t mouseKeyState(WPARAM wParam) {
  uint32_t bits = 0;
  if (wParam & MK_SHIFT) bits |= PlatformKeyShift;
  if (wParam & MK_CONTROL) bits |= PlatformKeyControl;
  if (wParam & MK_LBUTTON) bits |= PlatformButtonLeft;
  if (wParam & MK_RBUTTON) bits |= PlatformButtonRight;
  return bits;
}

PlatformMessage messageFor(Win32Window *w, PlatformMessageType type) {
  PlatformMessage m;
  m.type = type;
  m.window = w;
  m.time = static_cast<uint32_t>(GetMessageTime());
  return m;
}

void queueKey(Win32Window *w, PlatformMessageType type, LPARAM lParam) {
  const auto bits = static_cast<uint32_t>(lParam);
  const int scan = scanCodeOf(bits);
  // Keys the PC keyboard has no code for stay out, as on the other back ends.
  if (scan == 0) return;
  PlatformMessage m = messageFor(w, type);
  m.scanCode = scan;
  const bool down = type == PlatformMessageType::KeyDown || type == PlatformMessageType::SysKeyDown;
  m.previouslyDown = down && wasDown(bits) ? 1 : 0;
  m.repeatCount = static_cast<int>(bits & 0xFFFFu);
  if (m.repeatCount < 1) m.repeatCount = 1;
  m.altContext = altHeld(bits) ? 1 : 0;
  m.keyState = modifierState();
  ring.push(m);
}

void queueCharacter(Win32Window *w, PlatformMessageType type, WPARAM wParam, LPARAM lParam) {
  const int character = characterOf(static_cast<uint32_t>(wParam));
  if (character == 0) return;
  PlatformMessage m = messageFor(w, type);
  m.character = character;
  m.altContext = altHeld(static_cast<uint32_t>(lParam)) ? 1 : 0;
  m.keyState = modifierState();
  ring.push(m);
}

void queueMouse(Win32Window *w, PlatformMessageType type, WPARAM wParam, LPARAM lParam) {
  PlatformMessage m = messageFor(w, type);
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  int px = x, py = y;
  if (w->pictureWidth > 0 && w->pictureHeight > 0)
    outputToPicture(clientPlacement(w), w->pictureWidth, w->pictureHeight, x, y, &px, &py);
  m.screenX = m.windowX = px;
  m.screenY = m.windowY = py;
  m.keyState = mouseKeyState(wParam);
  ring.push(m);
}

// Focus went to a window of another program (not to one of this thread's
// own message boxes).
bool lostToAnotherProgram(LPARAM lParam) {
  HWND other = reinterpret_cast<HWND>(lParam);
  return !other || GetWindowThreadProcessId(other, nullptr) != GetCurrentThreadId();
}

void activationChanged(Win32Window *w, WPARAM wParam, LPARAM lParam) {
  const bool active = LOWORD(wParam) != WA_INACTIVE;
  PlatformMessage m = messageFor(w, PlatformMessageType::ActivationChanged);
  m.activeState = active ? 1 : 0;
  m.minimized = HIWORD(wParam) != 0 ? 1 : 0;
  ring.push(m);
  if (!w->fullScreen) return;
  if (!active) {
    if (lostToAnotherProgram(lParam)) w->suspendPending = true;
  } else {
    w->suspendPending = false;
    w->reactivated = true;
    if (w->runningInBackground) {
      w->runningInBackground = false;
      resumeFromBehind();
    }
  }
}

}  // namespace

// A key's character follows its key message once the system queue has been
// translated, so a character is also looked for there.
void pumpSystemQueue() {
  MSG msg;
  while (ring.room() >= 2 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

namespace {

// Suspended, the window steps aside for the desktop and the program waits in
// 200 ms steps until it is activated again; nothing that arrives meanwhile is
// lost.
bool waitUntilBack(void *window) {
  Win32Window *w = static_cast<Win32Window *>(window);
  w->reactivated = false;
  ShowWindow(w->hwnd, SW_MINIMIZE);
  while (liveWindow(w) && !w->reactivated) {
    pumpSystemQueue();
    if (liveWindow(w) && !w->reactivated) Sleep(kSuspendStepMs);
  }
  if (!liveWindow(w)) return false;
  w->suspendPending = false;
  if (w->fullScreen) restoreFullScreen(w);
  return true;
}

void suspendFullScreen(Win32Window *w) {
  w->suspendPending = false;
  if (suspendOnLosingFront(waitUntilBack, w) == SuspendOutcome::RunningBehind) w->runningInBackground = true;
}

// A controller's key reads like the keyboard's: the same scan code and
// character, with the keyboard's modifiers of the moment.
void pushPadKey(int scanCode, int character, bool down) {
  Win32Window *w = anyLiveWindow();
  if (!w) return;
  PlatformMessage m;
  m.type = down ? PlatformMessageType::KeyDown : PlatformMessageType::KeyUp;
  m.window = w;
  m.time = GetTickCount();  // the clock of the window system's messages
  m.scanCode = scanCode;
  m.keyState = modifierState();
  ring.push(m);
  if (down && character != 0) {
    m.type = PlatformMessageType::Char;
    m.scanCode = 0;
    m.character = character;
    ring.push(m);
  }
}

// The controllers are read once the system queue is drained, which the pump
// does at least once a frame. Only a program in front reads them.
void pollPads() {
  // Four pads, each changing every key with its character.
  constexpr int kMostPadMessages = 4 * 2 * 6;
  if (!anyLiveWindow() || ring.room() < kMostPadMessages) return;
  HWND front = GetForegroundWindow();
  if (front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId())
    pollXInputPads(millisecondsSinceStart(), pushPadKey);
  else
    releaseXInputPads(pushPadKey);
}

}  // namespace

void pollMessages() {
  pumpSystemQueue();
  if (suspensionWaiting()) return;
  Win32Window *w = anyLiveWindow();
  if (w && w->suspendPending) suspendFullScreen(w);
  pollPads();
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Window *w = windowForHandle(hwnd);
  if (!w) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN:
      queueKey(w, PlatformMessageType::KeyDown, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      queueKey(w, PlatformMessageType::SysKeyDown, lParam);
      return 0;  // Alt combinations have no effect of the system's
    case WM_KEYUP:
      queueKey(w, PlatformMessageType::KeyUp, lParam);
      return 0;
    case WM_SYSKEYUP:
      queueKey(w, PlatformMessageType::SysKeyUp, lParam);
      return 0;
    case WM_CHAR:
      queueCharacter(w, PlatformMessageType::Char, wParam, lParam);
      return 0;
    case WM_SYSCHAR:
      queueCharacter(w, PlatformMessageType::SysChar, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      queueMouse(w, PlatformMessageType::MouseMove, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      queueMouse(w, PlatformMessageType::LeftButtonDown, wParam, lParam);
      return 0;
    case WM_LBUTTONUP:
      queueMouse(w, PlatformMessageType::LeftButtonUp, wParam, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      queueMouse(w, PlatformMessageType::LeftButtonDoubleClick, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      queueMouse(w, PlatformMessageType::RightButtonDown, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      queueMouse(w, PlatformMessageType::RightButtonUp, wParam, lParam);
      return 0;
    case WM_RBUTTONDBLCLK:
      queueMouse(w, PlatformMessageType::RightButtonDoubleClick, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      ring.push(messageFor(w, PlatformMessageType::MiddleButton));
      return 0;
    case WM_TIMER:
      ring.push(messageFor(w, PlatformMessageType::Timer));
      return 0;
    case WM_ACTIVATE:
      activationChanged(w, wParam, lParam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) paintPicture(w, dc);
      EndPaint(hwnd, &ps);
      ring.push(messageFor(w, PlatformMessageType::PaintRequest));
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_SIZE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_CLOSE:
      // The framework asks the player; the window stays until it agrees.
      ring.push(messageFor(w, PlatformMessageType::CloseRequest));
      return 0;
    case WM_DISPLAYCHANGE:
      if (w->fullScreen) restoreFullScreen(w);
      ring.push(messageFor(w, PlatformMessageType::DisplaySettingsChanged));
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
          if (!w->fullScreen && w->maximizeBox) ring.push(messageFor(w, PlatformMessageType::SysCommandMaximize));
          return 0;
        case SC_KEYMENU:
          return 0;  // no menu to open with Alt or F10
        default:
          break;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

