#include <algorithm>

#include "platform/headless/headless_internal.h"

namespace {

HeadlessWindow *find(void *window) {
  return const_cast<HeadlessWindow *>(headlessWindow(window));
}

}  // namespace

void *headlessCreateWindow(const char *title, bool maximizeBox) {
  HeadlessState &s = headlessState();
  auto window = std::make_unique<HeadlessWindow>();
  window->title = title ? title : "";
  window->maximizeBox = maximizeBox;
  window->width = 320;
  window->height = 200;
  s.windows.push_back(std::move(window));
  ++s.record.windowsCreated;
  return s.windows.back().get();
}

// Unknown or already destroyed windows are ignored.
void headlessDestroyWindow(void *window) {
  auto &windows = headlessState().windows;
  auto it = std::find_if(windows.begin(), windows.end(), [&](const auto &w) { return w.get() == window; });
  if (it == windows.end()) return;
  windows.erase(it);
  ++headlessState().record.windowsDestroyed;
}

void headlessPlaceWindow(void *window, int x, int y, int width, int height) {
  if (HeadlessWindow *w = find(window)) {
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
  }
}

void headlessWindowPosition(void *window, int *x, int *y) {
  const HeadlessWindow *w = find(window);
  if (x) *x = w ? w->x : 0;
  if (y) *y = w ? w->y : 0;
}

void headlessFrameExtra(void *, int *width, int *height) {
  if (width) *width = headlessState().frameExtraWidth;
  if (height) *height = headlessState().frameExtraHeight;
}

void headlessShowWindow(void *window) {
  if (HeadlessWindow *w = find(window)) ++w->showCount;
}

void headlessClientSize(void *window, int *width, int *height) {
  const HeadlessWindow *w = find(window);
  const HeadlessState &s = headlessState();
  if (width) *width = w ? std::max(w->width - s.frameExtraWidth, 0) : 0;
  if (height) *height = w ? std::max(w->height - s.frameExtraHeight, 0) : 0;
}
