// The back end's window: the page's canvas. The page keeps the picture
// scaled by a whole factor and centred in either output; full screen in the
// browser's sense follows Alt+Enter and the page's button, which are the
// user's own gestures the browser demands for it.
#include <algorithm>

#include "platform/common/ring_messages.h"
#include "platform/web/web_internal.h"

namespace {

WebWindow window;
bool windowLive = false;

}  // namespace

WebWindow *liveWebWindow(void *handle) {
  return windowLive && handle == &window ? &window : nullptr;
}

WebWindow *anyWebWindow() {
  return windowLive ? &window : nullptr;
}

// A page has one canvas, so one window at a time.
void *webCreateWindow(const char *, bool maximizeBox) {
  if (windowLive) return nullptr;
  window = WebWindow{};
  window.maximizeBox = maximizeBox;
  windowLive = true;
  return &window;
}

void webDestroyWindow(void *handle) {
  if (!liveWebWindow(handle)) return;
  platformMessageRing().dropWindow(handle);
  windowLive = false;
}

void webPlaceWindow(void *handle, int x, int y, int width, int height) {
  WebWindow *w = liveWebWindow(handle);
  if (!w) return;
  w->x = x;
  w->y = y;
  w->clientWidth = std::max(width, 1);
  w->clientHeight = std::max(height, 1);
}

void webWindowPosition(void *handle, int *x, int *y) {
  const WebWindow *w = liveWebWindow(handle);
  if (x) *x = w ? w->x : 0;
  if (y) *y = w ? w->y : 0;
}

// The canvas has no frame.
void webFrameExtra(void *, int *width, int *height) {
  if (width) *width = 0;
  if (height) *height = 0;
}

void webClientSize(void *handle, int *width, int *height) {
  const WebWindow *w = liveWebWindow(handle);
  if (width) *width = w ? w->clientWidth : 0;
  if (height) *height = w ? w->clientHeight : 0;
}

void webShowWindow(void *) {}

bool webEnterFullScreen(void *handle, int width, int height, int) {
  WebWindow *w = liveWebWindow(handle);
  if (!w) return false;
  w->fullScreen = true;
  w->clientWidth = width;
  w->clientHeight = height;
  return true;
}

void webLeaveFullScreen(void *handle) {
  if (WebWindow *w = liveWebWindow(handle)) w->fullScreen = false;
}

bool webEnterWindowed(void *handle, int, int, int) {
  WebWindow *w = liveWebWindow(handle);
  if (!w) return false;
  w->fullScreen = false;
  return true;
}
