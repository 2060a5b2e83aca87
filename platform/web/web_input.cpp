// The page's keyboard, controllers, visibility and focus as window-system
// messages, and the wait while the game is suspended: a hidden tab or a page
// without focus suspends it as switching away from full-screen output does
// natively.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "framework/events/events.h"
#include "graphics/rasterkit.h"
#include "platform/common/gamepad_keys.h"
#include "platform/common/suspend_protocol.h"
#include "platform/web/core/web_keys.h"
#include "platform/web/core/web_queue.h"
#include "platform/web/web_internal.h"

EM_JS(void, kelvaroToggleFullScreen, (), { kelvaroPage.toggleFullScreen(); });
EM_JS(int, kelvaroPageVisible, (), { return document.visibilityState != 'hidden'; });
// The page's controller script (gamepad.js) reads the pads each frame and
// reports them here; the keys they hold are pressed as the page's own.
EM_JS(void, kelvaroAttachGamepads, (), {
  if (window.kelvaroGamepad) kelvaroGamepad.attach((i, c, b, x, y) => _kelvaroPadState(i, c, b, x, y));
});
EM_JS(void, kelvaroPressPadKey, (int scanCode, int down), { kelvaroGamepad.press(scanCode, down != 0); });

namespace {

constexpr int kSuspendStepMs = 200;
// A main loop that shows nothing for this long (a state without drawing)
// still gives the browser its turn, so the page never freezes.
constexpr double kLongestTurnMs = 100.0;

bool listening = false;
bool messageBoxOpen = false;
bool pageVisible = true;
bool pageFocused = true;
bool runningInBackground = false;

bool pageInFront() {
  return pageVisible && pageFocused;
}

uint32_t now() {
  return static_cast<uint32_t>(pageNowMs());
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent *e, void *) {
  const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
  // While a message box is up its dialog has the keyboard; a key let go
  // meanwhile still reaches the game, so that none stays held.
  if (messageBoxOpen && down) return EM_FALSE;
  WebWindow *w = anyWebWindow();
  if (!w || !gameTakesKey(e->code, e->ctrlKey, e->metaKey)) return EM_FALSE;
  WebKeyEvent k;
  k.down = down;
  k.code = e->code;
  k.key = e->key;
  k.shift = e->shiftKey;
  k.control = e->ctrlKey;
  k.alt = e->altKey;
  k.meta = e->metaKey;
  k.repeat = e->repeat;
  k.time = now();
  // The browser grants full screen only inside the user's own key press.
  if (k.down && !k.repeat && k.alt && std::strcmp(e->code, "Enter") == 0) kelvaroToggleFullScreen();
  queueKeyEvent(k, w);
  return messageBoxOpen ? EM_FALSE : EM_TRUE;
}

void activationChanged() {
  if (WebWindow *w = anyWebWindow()) queueActivation(w, pageInFront(), now());
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent *e, void *) {
  pageVisible = !e->hidden;
  activationChanged();
  return EM_FALSE;
}

EM_BOOL onFocus(int eventType, const EmscriptenFocusEvent *, void *) {
  pageFocused = eventType == EMSCRIPTEN_EVENT_FOCUS;
  activationChanged();
  return EM_FALSE;
}

// Suspended, the game sleeps in 200 ms steps (the page's events go on
// arriving) until the page is back in front; the page never goes away.
bool waitUntilBack(void *) {
  while (!pageInFront()) emscripten_sleep(kSuspendStepMs);
  return true;
}

void suspendGame() {
  if (runningInBackground) return;
  if (suspendOnLosingFront(waitUntilBack, nullptr) == SuspendOutcome::RunningBehind) runningInBackground = true;
}

void resumeFromBackground() {
  runningInBackground = false;
  resumeFromBehind();
}

GamepadKeys padKeys;

}  // namespace

// A pad's state from the page: its buttons as bits in PadButton order, its
// stick from -32768 to 32767 (y grows downwards); `connected` 0 when pulled.
extern "C" EMSCRIPTEN_KEEPALIVE void kelvaroPadState(int index, int connected, int buttons, int x, int y) {
  PadKeyChanges changes;
  if (connected) {
    PadState state;
    for (int b = 0; b < static_cast<int>(PadButton::Count); ++b) state.buttons[b] = (buttons >> b & 1) != 0;
    state.stickX = x;
    state.stickY = y;
    changes = padKeys.report(index, state);
  } else {
    changes = padKeys.remove(index);
  }
  for (int i = 0; i < changes.count; ++i) kelvaroPressPadKey(changes.keys[i].scanCode, changes.keys[i].down ? 1 : 0);
}

void listenToPage() {
  if (listening) return;
  listening = true;
  pageVisible = kelvaroPageVisible() != 0;
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
  emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
  kelvaroAttachGamepads();
}

void setMessageBoxOpen(bool open) {
  messageBoxOpen = open;
}

// The end of a drain: the moment to stop while the page is away, and to give
// the browser its turn.
void webRefillMessages() {
  if (!pageInFront() && anyWebWindow()) {
    suspendGame();
  } else if (runningInBackground && pageInFront()) {
    resumeFromBackground();
  }
  if (runningInBackground || pageNowMs() - lastYieldMs() > kLongestTurnMs) yieldToBrowser();
}
