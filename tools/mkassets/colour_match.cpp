#include "colour_match.h"

#include <algorithm>

int nearestColour(const Palette &palette, Rgb colour, int first, int last) {
  int best = first;
  double bestDistance = 1e30;
  for (int i = first; i <= last; ++i) {
    // Weighted like the eye: green differences count most, blue least.
    const double dr = colour.r - palette[i].r, dg = colour.g - palette[i].g, db = colour.b - palette[i].b;
    const double distance = 3.0 * dr * dr + 4.0 * dg * dg + 2.0 * db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

int ditheredColour(const Palette &palette, Rgb colour, int x, int y, double strength, int first, int last) {
  static const int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const double offset = (Bayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
  const double d = offset * strength;
  const Rgb shifted = {std::clamp(colour.r + d, 0.0, 255.0), std::clamp(colour.g + d, 0.0, 255.0),
                       std::clamp(colour.b + d, 0.0, 255.0)};
  return nearestColour(palette, shifted, first, last);
}

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb hexColour(uint32_t rgb) {
  return {double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF), double(rgb & 0xFF)};
}
