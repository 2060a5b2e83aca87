// An 8-bit picture: one palette index per pixel, rows top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  IndexedImage() = default;
  IndexedImage(int w, int h, uint8_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  uint8_t &at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  uint8_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A colour to be matched to a palette, channels 0..255.
struct Rgb {
  double r, g, b;
};
