// Colours as light (linear sRGB, 0..1 a channel) for mixing and averaging,
// and in the OKLab space for judging how alike two colours look: there, equal
// distances are about equally visible whatever the hue or brightness.
#pragma once

#include <cstdint>

struct LinearRgb {
  double r, g, b;
};

struct Oklab {
  double L, a, b;
};

double linearFromSrgb(uint8_t channel);
LinearRgb linearFromSrgb(uint8_t r, uint8_t g, uint8_t b);
Oklab oklabFromLinear(const LinearRgb &c);
// Squared distance: the order of distances is all a nearest match needs.
double oklabDistance2(const Oklab &x, const Oklab &y);
