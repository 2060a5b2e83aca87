#include <cmath>

#include "ball_shading.h"
#include "pictures.h"

namespace {

constexpr int Width = 64;
constexpr int Height = 48;

}  // namespace

IndexedImage makeLifeIcon() {
  IndexedImage image(Width, Height, 0);
  const double cx = 31.5, cy = 23.5, radius = 20.0;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const double nx = (x + 0.5 - cx) / radius, ny = (y + 0.5 - cy) / radius;
      const double rr = nx * nx + ny * ny;
      if (rr >= 1.0) continue;
      const double nz = std::sqrt(1.0 - rr);
      image.at(x, y) = uint8_t(ballPaletteIndex(nx, ny, nz));
    }
  }
  return image;
}
