#include "app_icon.h"

#include <algorithm>
#include <cmath>

#include "palettes.h"

namespace {

constexpr double Pi = 3.141592653589793;
// Samples per pixel along each axis: the edge and the pattern's borders are
// blended instead of stair-stepped, which matters most at 16 pixels.
constexpr int Samples = 4;

// The ball's colour at a point of the unit disc, as the life icon draws it:
// the green and the blue shading ramp in a checkerboard, lit from the upper
// left, the poles turned towards the viewer.
PaletteColour ballColour(double nx, double ny) {
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  const double lightLength = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double tilt = 0.5;
  const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
  const double diffuse = (nx * lx + ny * ly + nz * lz) / lightLength;
  const int shade = std::clamp(int(8.0 + 55.0 * std::max(0.0, diffuse)), 0, 63);
  const double by = ny * std::cos(tilt) - nz * std::sin(tilt);
  const double bz = ny * std::sin(tilt) + nz * std::cos(tilt);
  const int sector = int(std::floor((std::atan2(bz, nx) + Pi) / (Pi / 4)));
  const int band = int(std::floor((std::asin(std::clamp(by, -1.0, 1.0)) + Pi / 2) / (Pi / 4)));
  const int base = (sector + band) % 2 == 0 ? GreenRampBase : BlueRampBase;
  return playingPalette()[base + shade];
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
