#include "tools/kelvaro-convert/quantise.h"

#include <algorithm>
#include <unordered_map>

namespace {

double clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

LinearRgb clamped(const LinearRgb &c) {
  return {clamp01(c.r), clamp01(c.g), clamp01(c.b)};
}

std::vector<uint8_t> nearestEach(const RgbaPicture &picture, const PaletteMatch &palette) {
  std::vector<uint8_t> out(size_t(picture.width) * size_t(picture.height));
  // Pictures repeat their colours a lot; each distinct one is matched once.
  std::unordered_map<uint32_t, uint8_t> known;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t *p = picture.rgba.data() + (size_t(y) * size_t(picture.width) + size_t(x)) * 4;
      const uint32_t key = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
      auto found = known.find(key);
      if (found == known.end())
        found = known.emplace(key, uint8_t(palette.nearest(pixelLight(picture, x, y)))).first;
      out[size_t(y) * size_t(picture.width) + size_t(x)] = found->second;
    }
  return out;
}

// How a colour is shown under the ordered pattern: `share` of its pixels in
// entry `second`, the rest in `first`.
struct Mix {
  int first, second;
  double share;
};

// The pair among the colour's few nearest entries whose mixture comes
// closest to the colour. The share is measured in light, since the eye
// averages the pattern's light; closeness is judged in OKLab. Two entries far
// apart look grainy, so the mixture's spread counts against it; a colour the
// palette holds has nothing to gain and keeps its entry alone.
Mix planMix(const LinearRgb &c, const PaletteMatch &palette) {
  constexpr double GrainWeight = 0.5;
  constexpr int Candidates = 8;
  const Oklab look = oklabFromLinear(c);
  // The nearest entries, nearest first (ties: lower index first).
  int near[Candidates] = {};
  double nearDistance[Candidates] = {};
  int found = 0;
  for (int i = 0; i < palette.count(); ++i) {
    const double d = oklabDistance2(look, palette.look(i));
    int at = found < Candidates ? found++ : Candidates;
    while (at > 0 && d < nearDistance[at - 1]) {
      if (at < Candidates) near[at] = near[at - 1], nearDistance[at] = nearDistance[at - 1];
      --at;
    }
    if (at < Candidates) near[at] = i, nearDistance[at] = d;
  }
  Mix best{near[0], near[0], 0.0};
  double bestCost = nearDistance[0];
  if (bestCost == 0) return best;
  for (int a = 0; a < found; ++a)
    for (int b = a + 1; b < found; ++b) {
      const LinearRgb &p = palette.light(near[a]), &q = palette.light(near[b]);
      const double ur = q.r - p.r, ug = q.g - p.g, ub = q.b - p.b;
      const double length2 = ur * ur + ug * ug + ub * ub;
      if (length2 == 0) continue;
      const double t =
          std::clamp(((c.r - p.r) * ur + (c.g - p.g) * ug + (c.b - p.b) * ub) / length2, 0.0, 1.0);
      const Oklab mixed = oklabFromLinear({p.r + t * ur, p.g + t * ug, p.b + t * ub});
      const double spread = oklabDistance2(palette.look(near[a]), palette.look(near[b]));
      const double cost = oklabDistance2(look, mixed) + GrainWeight * t * (1 - t) * spread;
      if (cost < bestCost) {
        bestCost = cost;
        best = Mix{near[a], near[b], t};
      }
    }
  return best;
}

std::vector<uint8_t> orderedPattern(const RgbaPicture &picture, const PaletteMatch &palette) {
  static const int Bayer8[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                   {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                   {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                   {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
  std::vector<uint8_t> out(size_t(picture.width) * size_t(picture.height));
  std::unordered_map<uint32_t, Mix> known;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t *px = picture.rgba.data() + (size_t(y) * size_t(picture.width) + size_t(x)) * 4;
      const uint32_t key = uint32_t(px[0]) << 24 | uint32_t(px[1]) << 16 | uint32_t(px[2]) << 8 | px[3];
      auto found = known.find(key);
      if (found == known.end()) found = known.emplace(key, planMix(pixelLight(picture, x, y), palette)).first;
      const Mix &mix = found->second;
      const double threshold = (Bayer8[y & 7][x & 7] + 0.5) / 64.0;
      out[size_t(y) * size_t(picture.width) + size_t(x)] =
          uint8_t(threshold < mix.share ? mix.second : mix.first);
    }
  return out;
}

// Floyd-Steinberg in light, the rows walked in alternating directions so the
// error does not drift to one side.
std::vector<uint8_t> errorDiffusion(const RgbaPicture &picture, const PaletteMatch &palette) {
  const size_t width = size_t(picture.width);
  std::vector<uint8_t> out(width * size_t(picture.height));
  // Error carried into this row and the next, with a spare column each side.
  std::vector<LinearRgb> here(width + 2, LinearRgb{0, 0, 0}), next(width + 2, LinearRgb{0, 0, 0});
  auto add = [](LinearRgb &to, const LinearRgb &e, double share) {
    to.r += e.r * share;
    to.g += e.g * share;
    to.b += e.b * share;
  };
  for (int y = 0; y < picture.height; ++y) {
    const bool rightward = (y & 1) == 0;
    const int step = rightward ? 1 : -1;
    for (int i = 0; i < picture.width; ++i) {
      const int x = rightward ? i : picture.width - 1 - i;
      const size_t col = size_t(x) + 1;
      const LinearRgb source = pixelLight(picture, x, y);
      const LinearRgb wanted =
          clamped({source.r + here[col].r, source.g + here[col].g, source.b + here[col].b});
      const int chosen = palette.nearest(wanted);
      out[size_t(y) * width + size_t(x)] = uint8_t(chosen);
      const LinearRgb &got = palette.light(chosen);
      const LinearRgb error{wanted.r - got.r, wanted.g - got.g, wanted.b - got.b};
      add(here[size_t(int(col) + step)], error, 7.0 / 16);
      add(next[size_t(int(col) - step)], error, 3.0 / 16);
      add(next[col], error, 5.0 / 16);
      add(next[size_t(int(col) + step)], error, 1.0 / 16);
    }
    std::swap(here, next);
    std::fill(next.begin(), next.end(), LinearRgb{0, 0, 0});
  }
  return out;
}

}  // namespace

LinearRgb pixelLight(const RgbaPicture &picture, int x, int y) {
  const uint8_t *p = picture.rgba.data() + (size_t(y) * size_t(picture.width) + size_t(x)) * 4;
  // Viewers, browsers and paint programs lay a picture over its background
  // in the file's own encoding, not in light: white at half opacity over
  // black shows as a mid grey (127), not a light one.
  const unsigned alpha = p[3];
  auto overBlack = [alpha](uint8_t c) { return uint8_t((c * alpha + 127) / 255); };
  return linearFromSrgb(overBlack(p[0]), overBlack(p[1]), overBlack(p[2]));
}

std::vector<uint8_t> quantisePicture(const RgbaPicture &picture, const PaletteMatch &palette, Dither dither) {
  switch (dither) {
    case Dither::Ordered:
      return orderedPattern(picture, palette);
    case Dither::Diffusion:
      return errorDiffusion(picture, palette);
    default:
      return nearestEach(picture, palette);
  }
}
