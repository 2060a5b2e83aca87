#include <algorithm>
#include <cstring>

#include "platform/headless/headless_internal.h"

bool headlessHasDisplay() {
  return headlessState().display;
}

void headlessDesktopSize(int *width, int *height) {
  if (width) *width = headlessState().desktopWidth;
  if (height) *height = headlessState().desktopHeight;
}

bool headlessServesMode(int family, int width, int height, int bits, int *pages) {
  const HeadlessState &s = headlessState();
  if (!s.display) return false;
  for (const HeadlessMode &m : s.modes) {
    if (m.family == family && m.width == width && m.height == height && m.bits == bits) {
      if (pages) *pages = std::max(m.pages, 1);
      return true;
    }
  }
  return false;
}

bool headlessEnterFullScreen(void *, int width, int height, int bits) {
  HeadlessState &s = headlessState();
  if (!s.display || s.failOutput) return false;
  HeadlessRecord &r = s.record;
  r.fullScreen = true;
  r.fullScreenWidth = width;
  r.fullScreenHeight = height;
  r.fullScreenBits = bits;
  ++r.enterFullScreenCount;
  return true;
}

void headlessLeaveFullScreen(void *) {
  HeadlessRecord &r = headlessState().record;
  if (!r.fullScreen) return;
  r.fullScreen = false;
  ++r.leaveFullScreenCount;
}

bool headlessEnterWindowed(void *, int width, int height, int bits) {
  HeadlessState &s = headlessState();
  if (!s.display || s.failOutput) return false;
  HeadlessRecord &r = s.record;
  r.windowedWidth = width;
  r.windowedHeight = height;
  r.windowedBits = bits;
  ++r.enterWindowedCount;
  return true;
}

void headlessPresent(void *window, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                     const PaletteEntry *palette, const PixelFormat *format, int waitVRT) {
  HeadlessRecord &r = headlessState().record;
  ++r.presentCount;
  HeadlessPresent &p = r.lastPresent;
  p.window = window;
  p.fullScreen = r.fullScreen;
  p.width = width;
  p.height = height;
  p.bits = bits;
  p.bytesPerLine = bytesPerLine;
  p.waitVRT = waitVRT;
  const int rowBytes = bits == 15 ? width * 2 : width * ((bits + 7) / 8);
  const size_t bytes = static_cast<size_t>(std::max(rowBytes, 0)) * static_cast<size_t>(std::max(height, 0));
  // Every byte is copied over below, so only a picture without pixels needs
  // clearing; the benchmarks present hundreds of frames a second through here.
  p.pixels.resize(bytes);
  if (!pixels) std::fill(p.pixels.begin(), p.pixels.end(), uint8_t{0});
  if (pixels && rowBytes > 0) {
    for (int y = 0; y < height; ++y) {
      std::memcpy(p.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(rowBytes),
                  pixels + static_cast<ptrdiff_t>(y) * bytesPerLine, static_cast<size_t>(rowBytes));
    }
  }
  if (palette) {
    std::memcpy(p.palette, palette, sizeof p.palette);
  } else {
    std::memset(p.palette, 0, sizeof p.palette);
  }
  p.format = format ? *format : PixelFormat{};
}

void headlessRealizePalette(void *window, const PaletteEntry *entries, int count, int first, int waitVRT) {
  HeadlessRecord &r = headlessState().record;
  ++r.realizeCount;
  HeadlessRealize &z = r.lastRealize;
  z.window = window;
  z.count = count;
  z.first = first;
  z.waitVRT = waitVRT;
  if (entries) {
    const int begin = std::clamp(first, 0, 256);
    const int end = static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(first) + count, begin, 256));
    for (int i = begin; i < end; ++i) z.entries[i] = entries[i];
  }
}

int headlessMessageBox(const char *caption, const char *text, int kind) {
  HeadlessState &s = headlessState();
  s.record.messageBoxes.push_back(HeadlessMessageBox{caption ? caption : "", text ? text : "", kind});
  return s.messageBoxAnswer;
}
