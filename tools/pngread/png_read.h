// PNG pictures read into 8-bit red, green, blue, alpha pixels, whatever the
// file's colour type, bit depth, palette or gamma.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, rows top to bottom, no padding
};

// Pictures beyond these are refused before any pixel memory is taken.
struct PngLimits {
  int maxSide = 8192;
  int64_t maxPixels = int64_t(4096) * 4096;
};

enum class PngReadResult { Read, Unreadable, NotPng, TooLarge, Damaged };

// Reads `path` into `out`. On any result but Read, `error` says what is
// wrong in words a user can act on (it starts with the file's name) and
// `out` is left empty.
PngReadResult readPngFile(const std::string &path, RgbaPicture &out, std::string &error,
                          const PngLimits &limits = PngLimits{});
