#include <cmath>

#include "colour_match.h"
#include "pattern_noise.h"
#include "pictures.h"

namespace {

constexpr int Width = 1100;  // 640 + 400 * 1.1 + a margin
constexpr int Height = 480;
// The frame-rate line is drawn over the top rows, so they stay plain black.
constexpr int CalmRows = 40;
constexpr int Horizon = 300;

Rgb skyAt(int y) {
  struct Stop {
    int y;
    uint32_t rgb;
  };
  static const Stop stops[] = {{CalmRows, 0x000000}, {110, 0x0F0F12}, {170, 0x210A12}, {215, 0x421018},
                               {250, 0x830000},      {275, 0xA93C24}, {292, 0xDF6659}, {Horizon, 0xEAC3A0}};
  if (y <= stops[0].y) return hexColour(stops[0].rgb);
  for (size_t i = 1; i < sizeof stops / sizeof stops[0]; ++i) {
    if (y <= stops[i].y) {
      const double t = double(y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y);
      return mix(hexColour(stops[i - 1].rgb), hexColour(stops[i].rgb), t);
    }
  }
  return hexColour(0xEAC3A0);
}

double farRidge(int x) {
  return Horizon - 22 - 16 * std::sin(x * 0.011) - 9 * std::sin(x * 0.027 + 1.0) -
         4 * std::sin(x * 0.063 + 2.0);
}

double nearRidge(int x) {
  return Horizon + 45 - 26 * std::sin(x * 0.0065 + 0.5) - 12 * std::sin(x * 0.019 + 2.0) -
         5 * std::sin(x * 0.047);
}

}  // namespace

IndexedImage makeBackground() {
  const Palette &pal = playingPalette();
  IndexedImage image(Width, Height, 0);
  const double sunX = 760, sunY = Horizon - 8, sunRadius = 46;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      Rgb c = skyAt(std::min(y, Horizon));
      const double ds = std::hypot(x - sunX, y - sunY);
      if (ds < sunRadius) {
        c = mix(hexColour(0xFCE2B9), hexColour(0xF0BFB1), ds / sunRadius);
      } else if (ds < sunRadius * 2.2 && y > CalmRows) {
        c = mix(c, hexColour(0xF0BFB1), 0.45 * (1.0 - (ds - sunRadius) / (sunRadius * 1.2)));
      }
      if (y >= farRidge(x)) {
        // Distant hills, lit a little from the glow behind them.
        const double depth = std::min(1.0, (y - farRidge(x)) / 60.0);
        c = mix(hexColour(0x602819), hexColour(0x3A191D), depth);
      }
      if (y >= nearRidge(x)) {
        const double depth = std::min(1.0, (y - nearRidge(x)) / 120.0);
        c = mix(hexColour(0x311D22), hexColour(0x0F0F12), depth);
      }
      const bool calm = y < CalmRows;
      image.at(x, y) = uint8_t(calm ? 0 : ditheredColour(pal, c, x, y, 14.0, 0, PlayingSceneryLast));
    }
  }
  // Stars in the dark part of the sky, away from the calm rows.
  for (uint32_t i = 0; i < 260; ++i) {
    const int x = int(hashInts(i, 1) % Width);
    const int y = CalmRows + 6 + int(hashInts(i, 2) % 150);
    const uint32_t kind = hashInts(i, 3) % 8;
    const int colour = nearestColour(pal,
                                     hexColour(kind == 0  ? 0xF6E7E4
                                               : kind < 3 ? 0xC5B7BE
                                                          : 0x6F6164),
                                     0, PlayingSceneryLast);
    image.at(x, y) = uint8_t(colour);
    if (kind == 0 && x + 1 < Width && y + 1 < Height) {
      image.at(x + 1, y) = uint8_t(colour);
      image.at(x, y + 1) = uint8_t(colour);
      image.at(x + 1, y + 1) = uint8_t(colour);
    }
  }
  return image;
}
