#include <cmath>
#include <vector>

#include "colour_match.h"
#include "pattern_noise.h"
#include "pictures.h"

namespace {

constexpr int Width = 1100;  // 640 + 400 * 1.1 + a margin
constexpr int Height = 480;
// The frame-rate line is drawn over the top rows, so they stay plain black.
constexpr int CalmRows = 40;
constexpr int Horizon = 300;

Rgb skyAt(const BackgroundLook &look, int y) {
  const std::vector<SkyStop> &stops = look.sky;
  if (y <= stops.front().y) return hexColour(stops.front().rgb);
  for (size_t i = 1; i < stops.size(); ++i) {
    if (y <= stops[i].y) {
      const double t = double(y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y);
      return mix(hexColour(stops[i - 1].rgb), hexColour(stops[i].rgb), t);
    }
  }
  return hexColour(stops.back().rgb);
}

// With a lift of 0 and a scale of 1 these are exactly the game's own ridges.
double farRidge(const BackgroundLook &look, int x) {
  const double k = look.ridgeScale;
  return Horizon - look.ridgeLift - 22 - k * 16 * std::sin(x * 0.011) - k * 9 * std::sin(x * 0.027 + 1.0) -
         k * 4 * std::sin(x * 0.063 + 2.0);
}

double nearRidge(const BackgroundLook &look, int x) {
  const double k = look.ridgeScale;
  return Horizon + 45 - k * 26 * std::sin(x * 0.0065 + 0.5) - k * 12 * std::sin(x * 0.019 + 2.0) -
         k * 5 * std::sin(x * 0.047);
}

}  // namespace

namespace {

const BackgroundLook &duskLook() {
  static const BackgroundLook look = {
      {{CalmRows, 0x000000}, {110, 0x0F0F12}, {170, 0x210A12}, {215, 0x421018},
       {250, 0x830000}, {275, 0xA93C24}, {292, 0xDF6659}, {Horizon, 0xEAC3A0}},
      760, 8, 46, 0xFCE2B9, 0xF0BFB1,
      0x602819, 0x3A191D, 0x311D22, 0x0F0F12, 0.0, 1.0, 260};
  return look;
}

}  // namespace

IndexedImage makeBackground() {
  return makeBackground(duskLook());
}

IndexedImage makeBackground(const BackgroundLook &look) {
  const Palette &pal = playingPalette();
  IndexedImage image(Width, Height, 0);
  const double sunX = look.sunX, sunY = Horizon - look.sunDrop, sunRadius = look.sunRadius;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      Rgb c = skyAt(look, std::min(y, Horizon));
      const double ds = std::hypot(x - sunX, y - sunY);
      if (ds < sunRadius) {
        c = mix(hexColour(look.sunCore), hexColour(look.sunRim), ds / sunRadius);
      } else if (ds < sunRadius * 2.2 && y > CalmRows) {
        c = mix(c, hexColour(look.sunRim), 0.45 * (1.0 - (ds - sunRadius) / (sunRadius * 1.2)));
      }
      if (y >= farRidge(look, x)) {
        // Distant hills, lit a little from the glow behind them.
        const double depth = std::min(1.0, (y - farRidge(look, x)) / 60.0);
        c = mix(hexColour(look.farTop), hexColour(look.farBottom), depth);
      }
      if (y >= nearRidge(look, x)) {
        const double depth = std::min(1.0, (y - nearRidge(look, x)) / 120.0);
        c = mix(hexColour(look.nearTop), hexColour(look.nearBottom), depth);
      }
      const bool calm = y < CalmRows;
      image.at(x, y) = uint8_t(calm ? 0 : ditheredColour(pal, c, x, y, 14.0, 0, PlayingSceneryLast));
    }
  }
  // Stars in the dark part of the sky, away from the calm rows.
  for (uint32_t i = 0; i < look.stars; ++i) {
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
