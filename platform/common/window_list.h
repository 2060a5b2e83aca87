// The windows of a back end that are alive. A handle the library passes in
// may belong to a window already destroyed: only a listed one is used.
#pragma once

#include <algorithm>
#include <vector>

template <class Window>
class WindowList {
 public:
  void add(Window *w) { windows_.push_back(w); }
  void remove(Window *w) {
    const auto at = std::find(windows_.begin(), windows_.end(), w);
    if (at != windows_.end()) windows_.erase(at);
  }

  // The window behind `handle`; null for anything that is not a live one.
  Window *live(const void *handle) const {
    if (!handle) return nullptr;
    for (Window *w : windows_)
      if (w == handle) return w;
    return nullptr;
  }
  // The first live window that `matches`.
  template <class Match>
  Window *find(Match matches) const {
    for (Window *w : windows_)
      if (matches(*w)) return w;
    return nullptr;
  }
  // The window created first of those alive.
  Window *first() const { return windows_.empty() ? nullptr : windows_.front(); }

 private:
  std::vector<Window *> windows_;
};
