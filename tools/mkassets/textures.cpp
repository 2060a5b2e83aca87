#include <algorithm>
#include <cmath>
#include <functional>

#include "colour_match.h"
#include "pattern_noise.h"
#include "pictures.h"

namespace {

constexpr int Size = 255;
// The faces address texels 0 .. Size - 2 in each direction.
constexpr int Used = Size - 1;

// Fills the texture from a pattern over the unit square; (s, t) is the
// centre of the texel, t growing downwards. The last row and column, which no
// face reaches, repeat their neighbours.
IndexedImage paint(const std::function<Rgb(double s, double t, int x, int y)> &pattern, double dither) {
  const Palette &pal = playingPalette();
  IndexedImage image(Size, Size, 0);
  for (int y = 0; y < Size; ++y) {
    for (int x = 0; x < Size; ++x) {
      const int cx = std::min(x, Used - 1), cy = std::min(y, Used - 1);
      const double s = (cx + 0.5) / Used, t = (cy + 0.5) / Used;
      image.at(x, y) =
          uint8_t(ditheredColour(pal, pattern(s, t, cx, cy), x, y, dither, 0, PlayingSceneryLast));
    }
  }
  return image;
}

Rgb brighten(Rgb c, double amount) {
  return {std::clamp(c.r + amount, 0.0, 255.0), std::clamp(c.g + amount, 0.0, 255.0),
          std::clamp(c.b + amount, 0.0, 255.0)};
}

// Distance from the nearest multiple of 1/n, in units of 1/n (0 to 0.5).
double fromGridLine(double v, int n) {
  const double f = v * n - std::floor(v * n);
  return std::min(f, 1.0 - f);
}

}  // namespace

IndexedImage makeFloorTexture() {
  return makeFloorTexture({0xD8C6C3, 0xB79890, 0x474649});
}

IndexedImage makeFloorTexture(const FloorLook &look) {
  // Four by four stone tiles in two tones with dark joints; an even count of
  // tiles keeps the pattern the same when turned by 180 degrees.
  return paint(
      [&look](double s, double t, int x, int y) {
        const double edge = std::min(fromGridLine(s, 4), fromGridLine(t, 4));
        if (edge < 0.035) return hexColour(look.joint);
        const int tile = int(std::floor(s * 4)) + int(std::floor(t * 4));
        Rgb c = hexColour(tile % 2 == 0 ? look.tileA : look.tileB);
        if (edge < 0.09) c = brighten(c, 18);  // worn, lighter rims
        return brighten(c, 7.0 * signedNoise(uint32_t(x), uint32_t(y), 11));
      },
      10.0);
}

IndexedImage makeWallTexture() {
  // Seven courses of bricks (an odd count: turned by 180 degrees, each course
  // lands on one with the same offset), four bricks to a course.
  return paint(
      [](double s, double t, int x, int y) {
        const int course = std::min(6, int(std::floor(t * 7)));
        const double shift = course % 2 == 0 ? 0.0 : 0.125;
        const double along = s + shift;
        if (fromGridLine(t, 7) < 0.07 || fromGridLine(along, 4) < 0.03) return hexColour(0x9C8B89);
        // The same brick seen after the turn gets the same tone.
        const int brick = int(std::floor(along * 4));
        const int turnedCourse = 6 - course;
        const int turnedBrick = int(std::floor((1.0 - s + (turnedCourse % 2 == 0 ? 0.0 : 0.125)) * 4));
        const uint32_t key = uint32_t(std::min(course * 8 + brick, turnedCourse * 8 + turnedBrick));
        static const uint32_t tones[] = {0x8E5E4A, 0x854A3C, 0x7F4429, 0x9C4E41, 0x674429};
        const Rgb c = hexColour(tones[hashInts(key, 5) % 5]);
        return brighten(c, 9.0 * signedNoise(uint32_t(x), uint32_t(y), 17));
      },
      8.0);
}

IndexedImage makeTrapTexture() {
  // Red and black hazard stripes across the diagonal that every face shows.
  return paint(
      [](double s, double t, int x, int y) {
        const int stripe = int(std::floor(5.0 * (s + t) + 0.5));
        if (stripe % 2 != 0)
          return brighten(hexColour(0x100004), 6.0 * signedNoise(uint32_t(x), uint32_t(y), 23));
        return brighten(hexColour(0xEF0000), 14.0 * signedNoise(uint32_t(x), uint32_t(y), 29));
      },
      6.0);
}

IndexedImage makeGoalTexture() {
  // A chequered flag, eight by eight.
  return paint(
      [](double s, double t, int, int) {
        const int check = int(std::floor(s * 8)) + int(std::floor(t * 8));
        return hexColour(check % 2 == 0 ? 0xF6E7E4 : 0x000000);
      },
      0.0);
}
