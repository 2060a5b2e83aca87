// A memory context for drawing tests, closed again at the end of the test.
#pragma once

#include <cstdint>
#include <cstring>

#include "graphics/rasterkit.h"

namespace testfiles {

// One pixel of a packed row, read independently of the library's own code.
inline uint32_t packedPixelAt(const uint8_t *row, int bits, int x) {
  switch (bits) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return x % 2 ? row[x / 2] & 0xF : row[x / 2] >> 4;
    case 8:
      return row[x];
    case 15:
    case 16:
      return row[2 * x] | row[2 * x + 1] << 8;
    case 24:
      return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default:
      return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 | uint32_t(row[4 * x + 3]) << 24;
  }
}

struct TestContext {
  DeviceContext *dc = nullptr;
  TestContext(int width, int height, int bits = 8, const PixelFormat *pf = nullptr) {
    dc = RK_openMemoryContext(width, height, bits, pf);
  }
  ~TestContext() {
    if (RK_currentContext() == dc) RK_selectContext(nullptr);
    RK_closeContext(dc);
  }
  TestContext(const TestContext &) = delete;
  TestContext &operator=(const TestContext &) = delete;

  // The record itself, or the mirror while the context is current.
  DeviceContext *live() const { return RK_resolveContext(dc); }
  uint32_t at(int x, int y) const {
    const DeviceContext *c = live();
    const uint8_t *row = c->surface + int64_t(y) * c->bytesPerLine;
    return packedPixelAt(row, c->bitsPerPixel, x);
  }
  void set8(int x, int y, uint8_t v) { live()->surface[int64_t(y) * live()->bytesPerLine + x] = v; }
  void fill(uint8_t byte) {
    const DeviceContext *c = live();
    std::memset(c->surface, byte, size_t(c->bytesPerLine) * size_t(c->maxY + 1));
  }
  void setPalette(const PaletteEntry *entries, int count) { RK_setPaletteRange(dc, entries, count, 0); }
  // Clip rectangle in viewport coordinates, made effective on the live copy.
  void clipTo(int left, int top, int right, int bottom) {
    DeviceContext *c = live();
    c->attributes.clip = RK_Rect{left, top, right, bottom};
    if (c->driver.setClip) c->driver.setClip(c, c->attributes.clip);
  }
  // Counts pixels different from `paper`.
  int inked(uint32_t paper = 0) const {
    int n = 0;
    for (int y = 0; y <= live()->maxY; ++y)
      for (int x = 0; x <= live()->maxX; ++x) n += at(x, y) != paper;
    return n;
  }
};

}  // namespace testfiles
