#include <algorithm>
#include <cmath>

#include "palettes.h"
#include "pictures.h"

namespace {

constexpr int Width = 64;
constexpr int Height = 48;
constexpr double Pi = 3.141592653589793;

}  // namespace

IndexedImage makeLifeIcon() {
  // The ball as the game shades it: a checkerboard of the green and the blue
  // ramp (base entry plus a shade of 0..63), lit from the upper left.
  IndexedImage image(Width, Height, 0);
  const double cx = 31.5, cy = 23.5, radius = 20.0;
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  const double lightLength = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double tilt = 0.5;  // turn the poles towards the viewer to show the pattern
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const double nx = (x + 0.5 - cx) / radius, ny = (y + 0.5 - cy) / radius;
      const double rr = nx * nx + ny * ny;
      if (rr >= 1.0) continue;
      const double nz = std::sqrt(1.0 - rr);
      const double diffuse = (nx * lx + ny * ly + nz * lz) / lightLength;
      const int shade = std::clamp(int(8.0 + 55.0 * std::max(0.0, diffuse)), 0, 63);
      // Ball coordinates: the surface normal turned about the x axis.
      const double by = ny * std::cos(tilt) - nz * std::sin(tilt);
      const double bz = ny * std::sin(tilt) + nz * std::cos(tilt);
      const int sector = int(std::floor((std::atan2(bz, nx) + Pi) / (Pi / 4)));
      const int band = int(std::floor((std::asin(std::clamp(by, -1.0, 1.0)) + Pi / 2) / (Pi / 4)));
      const int base = (sector + band) % 2 == 0 ? GreenRampBase : BlueRampBase;
      image.at(x, y) = uint8_t(base + shade);
    }
  }
  return image;
}
