// Matching pictures to the game's palettes: exact colours stay exact, smooth
// colours land near, dithering keeps a region's light, transparency is laid
// over black.
#include <gtest/gtest.h>

#include <cmath>

#include "png_pictures.h"
#include "tools/kelvaro-convert/quantise.h"

using namespace convertfiles;

namespace {

const Dither kEveryMode[] = {Dither::None, Dither::Ordered, Dither::Diffusion};

double distance(const Oklab &x, const Oklab &y) {
  return std::sqrt(oklabDistance2(x, y));
}

// A horizontal ramp from `from` to `to`, `width` x `height`.
RgbaPicture ramp(int width, int height, const uint8_t from[3], const uint8_t to[3]) {
  RgbaPicture p = blankPicture(width, height);
  for (int x = 0; x < width; ++x) {
    const double t = double(x) / (width - 1);
    uint8_t c[3];
    for (int k = 0; k < 3; ++k) c[k] = uint8_t(std::lround(from[k] + (to[k] - from[k]) * t));
    for (int y = 0; y < height; ++y) setPixel(p, x, y, c[0], c[1], c[2]);
  }
  return p;
}

// The largest difference, over square blocks of `side`, between the
// picture's mean light and the mean light of the entries chosen for it.
double worstBlockLight(const RgbaPicture &p, const std::vector<uint8_t> &indices, const PaletteMatch &palette,
                       int side) {
  double worst = 0;
  for (int by = 0; by + side <= p.height; by += side)
    for (int bx = 0; bx + side <= p.width; bx += side) {
      double want[3] = {}, got[3] = {};
      for (int y = by; y < by + side; ++y)
        for (int x = bx; x < bx + side; ++x) {
          const LinearRgb s = pixelLight(p, x, y);
          const LinearRgb &e = palette.light(indices[size_t(y) * size_t(p.width) + size_t(x)]);
          want[0] += s.r, want[1] += s.g, want[2] += s.b;
          got[0] += e.r, got[1] += e.g, got[2] += e.b;
        }
      for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(want[k] - got[k]) / (side * side));
    }
  return worst;
}

}  // namespace

TEST(ConvertQuantise, PaletteColoursKeepTheirEntriesInEveryMode) {
  for (GamePalette which : {GamePalette::Playing, GamePalette::Menu}) {
    const PaletteMatch palette(which);
    const RgbaPicture picture = paletteColours(palette.entries(), palette.count(), 16);
    for (Dither mode : kEveryMode) {
      SCOPED_TRACE(testing::Message() << "palette " << int(which) << ", dither " << int(mode));
      const std::vector<uint8_t> indices = quantisePicture(picture, palette, mode);
      ASSERT_EQ(indices.size(), size_t(picture.width) * size_t(picture.height));
      for (size_t i = 0; i < indices.size(); ++i)
        ASSERT_EQ(indices[i], firstWithColour(palette.entries(), picture.rgba.data() + 4 * i))
            << "pixel " << i;
    }
  }
}

TEST(ConvertQuantise, GradientsLandNearAndDitheringKeepsTheLight) {
  // Black to red in the menu palette, which holds many reds along that line:
  // each pixel within 0.05 (OKLab) of its colour, and with either dither
  // every 16x16 block's mean light within 0.005 (light 0..1) of the picture's.
  const PaletteMatch menu(GamePalette::Menu);
  const uint8_t black[3] = {0, 0, 0}, red[3] = {255, 0, 0};
  const RgbaPicture reds = ramp(256, 32, black, red);
  const std::vector<uint8_t> nearest = quantisePicture(reds, menu, Dither::None);
  for (int x = 0; x < 256; ++x)
    ASSERT_LE(distance(oklabFromLinear(pixelLight(reds, x, 0)), menu.look(nearest[size_t(x)])), 0.05) << x;
  EXPECT_LE(worstBlockLight(reds, quantisePicture(reds, menu, Dither::Ordered), menu, 16), 0.005);
  EXPECT_LE(worstBlockLight(reds, quantisePicture(reds, menu, Dither::Diffusion), menu, 16), 0.005);
  // Without dithering the steps show: the blocks stray further.
  EXPECT_GT(worstBlockLight(reds, nearest, menu, 16), 0.002);

  // Dark to light in the playing palette's warm scenery colours, which lie
  // off any one line: nearest within 0.04 a pixel, error diffusion within
  // 0.01 a block, where the nearest colours alone stray five times as far.
  const PaletteMatch play(GamePalette::Playing);
  const uint8_t dark[3] = {32, 16, 16}, light[3] = {240, 220, 200};
  const RgbaPicture warm = ramp(256, 32, dark, light);
  const std::vector<uint8_t> plain = quantisePicture(warm, play, Dither::None);
  for (int x = 0; x < 256; ++x)
    ASSERT_LE(distance(oklabFromLinear(pixelLight(warm, x, 0)), play.look(plain[size_t(x)])), 0.04) << x;
  EXPECT_LE(worstBlockLight(warm, quantisePicture(warm, play, Dither::Diffusion), play, 16), 0.01);
  EXPECT_GT(worstBlockLight(warm, plain, play, 16), 0.04);
}

TEST(ConvertQuantise, TransparencyIsLaidOverBlackAndTheMenuKeepsToItsLoadedEntries) {
  const PaletteMatch menu(GamePalette::Menu);
  RgbaPicture p = blankPicture(4, 1);
  setPixel(p, 0, 0, 255, 255, 255, 0);    // fully transparent white: black
  setPixel(p, 1, 0, 255, 0, 0, 255);      // opaque red
  setPixel(p, 2, 0, 255, 255, 255, 255);  // white: the first white, not 254 or 255
  setPixel(p, 3, 0, 255, 255, 255, 127);  // half-transparent white: a mid grey, as viewers show it
  for (Dither mode : kEveryMode) {
    const std::vector<uint8_t> idx = quantisePicture(p, menu, mode);
    EXPECT_EQ(idx[0], 0);
    EXPECT_EQ(idx[1], 155);
    EXPECT_EQ(idx[2], 185);
  }
  EXPECT_EQ(quantisePicture(p, menu, Dither::None)[3], menu.nearest(linearFromSrgb(127, 127, 127)));
  RgbaPicture orange = blankPicture(1, 1);
  setPixel(orange, 0, 0, 200, 100, 50, 128);
  const LinearRgb halfOrange = pixelLight(orange, 0, 0);
  const LinearRgb shown = linearFromSrgb(100, 50, 25);
  EXPECT_NEAR(halfOrange.r, shown.r, 1e-9);
  EXPECT_NEAR(halfOrange.g, shown.g, 1e-9);
  EXPECT_NEAR(halfOrange.b, shown.b, 1e-9);
  // The black entries 254 and 255 are never chosen, even for black.
  RgbaPicture dark = blankPicture(8, 8);
  for (int i = 0; i < 64; ++i) setPixel(dark, i % 8, i / 8, uint8_t(i), 0, uint8_t(i / 2));
  for (Dither mode : kEveryMode)
    for (uint8_t index : quantisePicture(dark, menu, mode)) EXPECT_LT(index, 254);
}
