// SDL events as window-system messages, in order, plus the messages the
// program posts to itself. Also the wait while a full-screen program is
// switched away from.
#include "framework/events/events.h"
#include "graphics/rasterkit.h"
#include "platform/common/ring_messages.h"
#include "platform/common/suspend_protocol.h"
#include "platform/sdl/gamepad.h"
#include "platform/sdl/keyboard.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// One SDL event becomes at most kMostPerEvent messages (a controller pulled
// out lets go of six keys); polling stops while fewer than that are free.
constexpr int kMostPerEvent = 8;
MessageRing &ring = platformMessageRing();

uint32_t buttonsHeld = 0;

constexpr int kSuspendStepMs = 200;

uint32_t modifierState(Uint16 mod) {
  uint32_t bits = 0;
  if (mod & KMOD_SHIFT) bits |= PlatformKeyShift;
  if (mod & KMOD_CTRL) bits |= PlatformKeyControl;
  return bits;
}

PlatformMessage messageFor(SdlWindow *w, Uint32 timestamp, PlatformMessageType type) {
  PlatformMessage m;
  m.type = type;
  m.window = w;
  m.time = timestamp;
  return m;
}

void translateKey(const SDL_KeyboardEvent &e, SdlWindow *w) {
  const int scan = pcScanCode(e.keysym.scancode);
  if (scan == 0) return;
  const bool alt = (e.keysym.mod & KMOD_ALT) != 0;
  const bool down = e.type == SDL_KEYDOWN;
  PlatformMessageType type;
  if (down)
    type = alt ? PlatformMessageType::SysKeyDown : PlatformMessageType::KeyDown;
  else
    type = alt ? PlatformMessageType::SysKeyUp : PlatformMessageType::KeyUp;
  PlatformMessage m = messageFor(w, e.timestamp, type);
  m.scanCode = scan;
  m.previouslyDown = down && e.repeat ? 1 : 0;
  m.repeatCount = 1;
  m.altContext = alt ? 1 : 0;
  m.keyState = modifierState(e.keysym.mod) | buttonsHeld;
  const int character = down ? keyCharacter(e.keysym.sym, e.keysym.mod) : 0;
  m.character = character;
  ring.push(m);
  if (character != 0) {
    PlatformMessage c =
        messageFor(w, e.timestamp, alt ? PlatformMessageType::SysChar : PlatformMessageType::Char);
    c.character = character;
    c.altContext = m.altContext;
    c.keyState = m.keyState;
    ring.push(c);
  }
}

void placePointer(SdlWindow *w, int x, int y, PlatformMessage *m) {
  int px = x, py = y;
  if (w && w->pictureWidth > 0 && w->pictureHeight > 0)
    outputToPicture(windowPlacement(w), w->pictureWidth, w->pictureHeight, x, y, &px, &py);
  m->screenX = m->windowX = px;
  m->screenY = m->windowY = py;
}

uint32_t buttonBit(Uint8 button) {
  if (button == SDL_BUTTON_LEFT) return PlatformButtonLeft;
  if (button == SDL_BUTTON_RIGHT) return PlatformButtonRight;
  return 0;
}

void translateButton(const SDL_MouseButtonEvent &e, SdlWindow *w) {
  const bool down = e.type == SDL_MOUSEBUTTONDOWN;
  PlatformMessageType type;
  if (e.button == SDL_BUTTON_LEFT) {
    // Every second click of a series arrives as a double-click, as it would
    // from a window system that reports them.
    type = !down                                  ? PlatformMessageType::LeftButtonUp
           : (e.clicks >= 2 && e.clicks % 2 == 0) ? PlatformMessageType::LeftButtonDoubleClick
                                                  : PlatformMessageType::LeftButtonDown;
  } else if (e.button == SDL_BUTTON_RIGHT) {
    type = !down                                  ? PlatformMessageType::RightButtonUp
           : (e.clicks >= 2 && e.clicks % 2 == 0) ? PlatformMessageType::RightButtonDoubleClick
                                                  : PlatformMessageType::RightButtonDown;
  } else if (e.button == SDL_BUTTON_MIDDLE) {
    type = PlatformMessageType::MiddleButton;
  } else {
    return;
  }
  if (down)
    buttonsHeld |= buttonBit(e.button);
  else
    buttonsHeld &= ~buttonBit(e.button);
  PlatformMessage m = messageFor(w, e.timestamp, type);
  placePointer(w, e.x, e.y, &m);
  m.keyState = modifierState(SDL_GetModState()) | buttonsHeld;
  ring.push(m);
}

void translateMotion(const SDL_MouseMotionEvent &e, SdlWindow *w) {
  PlatformMessage m = messageFor(w, e.timestamp, PlatformMessageType::MouseMove);
  placePointer(w, e.x, e.y, &m);
  uint32_t held = 0;
  if (e.state & SDL_BUTTON_LMASK) held |= PlatformButtonLeft;
  if (e.state & SDL_BUTTON_RMASK) held |= PlatformButtonRight;
  m.keyState = modifierState(SDL_GetModState()) | held;
  ring.push(m);
}

void translate(const SDL_Event &e);

// Suspended, the program waits in 200 ms steps until its window has the
// focus again; nothing that arrives meanwhile is lost.
bool waitUntilBack(void *window) {
  SdlWindow *w = static_cast<SdlWindow *>(window);
  bool back = false;
  while (!back && liveWindow(w)) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED &&
          windowForId(e.window.windowID) == w)
        back = true;
      translate(e);
    }
    if (!back) SDL_Delay(kSuspendStepMs);
  }
  if (!liveWindow(w)) return false;
  redrawWindow(w);
  return true;
}

void suspendFullScreen(SdlWindow *w) {
  if (suspendOnLosingFront(waitUntilBack, w) == SuspendOutcome::RunningBehind) w->runningInBackground = true;
}

void translateWindowEvent(const SDL_WindowEvent &e) {
  SdlWindow *w = windowForId(e.windowID);
  if (!w) return;
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      ring.push(messageFor(w, e.timestamp, PlatformMessageType::CloseRequest));
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
      const bool gained = e.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      PlatformMessage m = messageFor(w, e.timestamp, PlatformMessageType::ActivationChanged);
      m.activeState = gained ? 1 : 0;
      m.minimized = (SDL_GetWindowFlags(w->window) & SDL_WINDOW_MINIMIZED) ? 1 : 0;
      ring.push(m);
      if (!gained && w->fullScreen) {
        suspendFullScreen(w);
      } else if (gained && w->runningInBackground) {
        w->runningInBackground = false;
        resumeFromBehind();
      }
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      redrawWindow(w);
      ring.push(messageFor(w, e.timestamp, PlatformMessageType::PaintRequest));
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      redrawWindow(w);
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (!w->fullScreen && w->maximizeBox)
        ring.push(messageFor(w, e.timestamp, PlatformMessageType::SysCommandMaximize));
      break;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
      ring.push(messageFor(w, e.timestamp, PlatformMessageType::DisplaySettingsChanged));
      break;
    default:
      break;
  }
}

void translate(const SDL_Event &e) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      translateKey(e.key, windowForId(e.key.windowID) ? windowForId(e.key.windowID) : anyLiveWindow());
      break;
    case SDL_MOUSEMOTION:
      translateMotion(e.motion, windowForId(e.motion.windowID));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      translateButton(e.button, windowForId(e.button.windowID));
      break;
    case SDL_MOUSEWHEEL:
      ring.push(messageFor(windowForId(e.wheel.windowID), e.wheel.timestamp, PlatformMessageType::MiddleButton));
      break;
    case SDL_QUIT:
      ring.push(messageFor(anyLiveWindow(), e.quit.timestamp, PlatformMessageType::CloseRequest));
      break;
    case SDL_WINDOWEVENT:
      translateWindowEvent(e.window);
      break;
    case SDL_DISPLAYEVENT:
      ring.push(messageFor(anyLiveWindow(), e.display.timestamp, PlatformMessageType::DisplaySettingsChanged));
      break;
    default:
      translateGamepadEvent(e, anyLiveWindow());
      break;
  }
}

}  // namespace

void pollSdlEvents() {
  if (!sdlVideoReady()) return;
  SDL_Event e;
  while (ring.room() >= kMostPerEvent && SDL_PollEvent(&e)) translate(e);
}

// A controller's key reads like the keyboard's: the same scan code, the same
// character, with the keyboard's modifiers of the moment.
void pushGamepadKey(void *window, uint32_t time, int scanCode, int character, bool down) {
  PlatformMessage m = messageFor(static_cast<SdlWindow *>(window), time,
                                 down ? PlatformMessageType::KeyDown : PlatformMessageType::KeyUp);
  m.scanCode = scanCode;
  m.repeatCount = 1;
  m.keyState = modifierState(SDL_GetModState()) | buttonsHeld;
  m.character = down ? character : 0;
  ring.push(m);
  if (down && character != 0) {
    PlatformMessage c = messageFor(static_cast<SdlWindow *>(window), time, PlatformMessageType::Char);
    c.character = character;
    c.keyState = m.keyState;
    ring.push(c);
  }
}

