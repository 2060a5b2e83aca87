// The ball as the game shades it, for the pictures that show it (the life
// icon, the program icons): a checkerboard of the green and the blue ramp
// (base entry plus a shade of 0..63), lit from the upper left, the poles
// turned towards the viewer to show the pattern.
#pragma once

#include <algorithm>
#include <cmath>

#include "palettes.h"

// The playing palette's entry where the ball's surface normal is
// (nx, ny, nz), seen from the viewer.
inline int ballPaletteIndex(double nx, double ny, double nz) {
  constexpr double Pi = 3.141592653589793;
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  const double lightLength = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double tilt = 0.5;
  const double diffuse = (nx * lx + ny * ly + nz * lz) / lightLength;
  const int shade = std::clamp(int(8.0 + 55.0 * std::max(0.0, diffuse)), 0, 63);
  // Ball coordinates: the surface normal turned about the x axis.
  const double by = ny * std::cos(tilt) - nz * std::sin(tilt);
  const double bz = ny * std::sin(tilt) + nz * std::cos(tilt);
  const int sector = int(std::floor((std::atan2(bz, nx) + Pi) / (Pi / 4)));
  const int band = int(std::floor((std::asin(std::clamp(by, -1.0, 1.0)) + Pi / 2) / (Pi / 4)));
  const int base = (sector + band) % 2 == 0 ? GreenRampBase : BlueRampBase;
  return base + shade;
}
