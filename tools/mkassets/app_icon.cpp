#include "app_icon.h"

#include <algorithm>
#include <cmath>

#include "ball_shading.h"
#include "palettes.h"

namespace {

// Samples per pixel along each axis: the edge and the pattern's borders are
// blended instead of stair-stepped, which matters most at 16 pixels.
constexpr int Samples = 4;

// The ball's colour at a point of the unit disc, as the life icon draws it.
PaletteColour ballColour(double nx, double ny) {
  const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
  return playingPalette()[ballPaletteIndex(nx, ny, nz)];
}

}  // namespace

std::vector<uint8_t> makeAppIcon(int size) {
  std::vector<uint8_t> rgba(std::size_t(size) * size * 4, 0);
  const double centre = size / 2.0, radius = size * 0.47;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0;
      int inside = 0;
      for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
          const double nx = (x + (sx + 0.5) / Samples - centre) / radius;
          const double ny = (y + (sy + 0.5) / Samples - centre) / radius;
          if (nx * nx + ny * ny >= 1.0) continue;
          const PaletteColour c = ballColour(nx, ny);
          r += c.r;
          g += c.g;
          b += c.b;
          ++inside;
        }
      }
      if (inside == 0) continue;
      uint8_t *p = &rgba[(std::size_t(y) * size + x) * 4];
      p[0] = uint8_t(std::lround(r / inside));
      p[1] = uint8_t(std::lround(g / inside));
      p[2] = uint8_t(std::lround(b / inside));
      p[3] = uint8_t(std::lround(255.0 * inside / (Samples * Samples)));
    }
  }
  return rgba;
}
