#include "tools/kelvaro-convert/colour_space.h"

#include <cmath>

double linearFromSrgb(uint8_t channel) {
  // A table: every pixel goes through here, and there are only 256 inputs.
  static const auto table = [] {
    struct Table {
      double v[256];
    } t{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      t.v[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  return table.v[channel];
}

LinearRgb linearFromSrgb(uint8_t r, uint8_t g, uint8_t b) {
  return {linearFromSrgb(r), linearFromSrgb(g), linearFromSrgb(b)};
}

Oklab oklabFromLinear(const LinearRgb &c) {
  const double l = std::cbrt(0.4122214708 * c.r + 0.5363325363 * c.g + 0.0514459929 * c.b);
  const double m = std::cbrt(0.2119034982 * c.r + 0.6806995451 * c.g + 0.1073969566 * c.b);
  const double s = std::cbrt(0.0883024619 * c.r + 0.2817188376 * c.g + 0.6299787005 * c.b);
  return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
          1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
          0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

double oklabDistance2(const Oklab &x, const Oklab &y) {
  const double dL = x.L - y.L, da = x.a - y.a, db = x.b - y.b;
  return dL * dL + da * da + db * db;
}
