#include <algorithm>

#include "graphics/rk_platform.h"
#include "platform/headless/headless_internal.h"

namespace {

HeadlessState makeState() {
  HeadlessState s;
  s.modes = headlessDefaultModes();
  return s;
}

}  // namespace

HeadlessState &headlessState() {
  static HeadlessState state = makeState();
  return state;
}

std::vector<HeadlessMode> headlessDefaultModes() {
  std::vector<HeadlessMode> modes;
  for (int family : {RK_FamilyDIB, RK_FamilyDirectDraw}) {
    for (auto [w, h] : {std::pair{320, 200}, std::pair{320, 240}, std::pair{640, 400}, std::pair{640, 480}}) {
      modes.push_back(HeadlessMode{family, w, h, 8, 2});
    }
  }
  return modes;
}

void headlessReset() {
  headlessState() = makeState();
}

void headlessSetDisplay(bool exists) {
  headlessState().display = exists;
}

void headlessSetDesktopSize(int width, int height) {
  headlessState().desktopWidth = width;
  headlessState().desktopHeight = height;
}

void headlessSetFrameExtra(int width, int height) {
  headlessState().frameExtraWidth = width;
  headlessState().frameExtraHeight = height;
}

void headlessSetModes(const std::vector<HeadlessMode> &modes) {
  headlessState().modes = modes;
}

const std::vector<HeadlessMode> &headlessModes() {
  return headlessState().modes;
}

void headlessRemoveMode(int width, int height, int bits) {
  auto &modes = headlessState().modes;
  modes.erase(std::remove_if(modes.begin(), modes.end(),
                             [&](const HeadlessMode &m) {
                               return m.width == width && m.height == height && m.bits == bits;
                             }),
              modes.end());
}

void headlessFailOutput(bool fail) {
  headlessState().failOutput = fail;
}

void headlessSetMessageBoxAnswer(int answer) {
  headlessState().messageBoxAnswer = answer;
}

const HeadlessRecord &headlessRecord() {
  return headlessState().record;
}

const HeadlessWindow *headlessWindow(const void *window) {
  for (const auto &w : headlessState().windows) {
    if (w.get() == window) return w.get();
  }
  return nullptr;
}

int headlessLiveWindowCount() {
  return static_cast<int>(headlessState().windows.size());
}
