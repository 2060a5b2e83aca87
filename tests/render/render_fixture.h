// A hand-made 8-bit frame for the renderer: a device context record over a
// vector, the depth buffer reset, and textures whose texels name their own
// position.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/render/render_steps.h"
#include "game/render/renderer.h"
#include "game/sim/camera.h"
#include "graphics/rk_types.h"

struct TestFrame {
  static constexpr uint8_t Background = 0xFF;
  int width, height;
  std::vector<uint8_t> pixels;
  DeviceContext dc{};
  DeviceContext *slot = &dc;

  TestFrame(int w, int h) : width(w), height(h), pixels(size_t(w) * h, Background) {
    dc.surface = pixels.data();
    dc.maxX = w - 1;
    dc.maxY = h - 1;
    dc.bitsPerPixel = 8;
    dc.bytesPerLine = w;
    setRenderTarget(&slot, w, h);
    resetDepthBuffer();
  }
  ~TestFrame() { setRenderTarget(nullptr, 0, 0); }
  uint8_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
  bool written(int x, int y) const { return at(x, y) != Background; }
  int writtenCount() const {
    int n = 0;
    for (uint8_t p : pixels) n += p != Background;
    return n;
  }
};

// A texture whose texel at offset k holds k mod 251 (never the background),
// so that a pixel tells which texel it came from.
struct TestTexture {
  std::vector<uint8_t> pixels;
  Bitmap bitmap{};

  TestTexture(int w, int h, int bytesPerLine) : pixels(size_t(bytesPerLine) * h) {
    for (size_t k = 0; k < pixels.size(); ++k) pixels[k] = uint8_t(k % 251);
    bitmap.width = w;
    bitmap.height = h;
    bitmap.bitsPerPixel = 8;
    bitmap.bytesPerLine = bytesPerLine;
    bitmap.surface = pixels.data();
  }
};

inline ScenePoint screenPoint(int x, int y, int depth = 1000) {
  ScenePoint p{};
  p.screenX = x;
  p.screenY = y;
  p.depth = depth;
  p.viewX = x;
  p.viewY = y;
  p.viewZ = depth / 10000000.0;
  return p;
}

inline SceneFace faceOf(ScenePoint &a, ScenePoint &b, ScenePoint &c, int type = FloorFlat) {
  SceneFace f{};
  f.vertex0 = &a;
  f.vertex1 = &b;
  f.vertex2 = &c;
  f.type = type;
  return f;
}
