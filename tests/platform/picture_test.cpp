#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl/picture.h"

namespace {

uint32_t pixelAt(const std::vector<uint8_t> &out, int pitch, int x, int y) {
  uint32_t v;
  std::memcpy(&v, out.data() + y * pitch + 4 * x, 4);
  return v;
}

TEST(PictureConversion, EightBitThroughThePaletteHonouringRowLengths) {
  PaletteEntry palette[256] = {};
  palette[1] = PaletteEntry{0x30, 0x20, 0x10, 0x77};        // blue, green, red, reserved
  const uint8_t pixels[] = {1, 0, 9, 9, 9, 0, 1, 9, 9, 9};  // 2 x 2, rows of 5 bytes
  std::vector<uint8_t> out(2 * 12, 0xEE);
  ASSERT_TRUE(convertToArgb(pixels, 2, 2, 5, 8, palette, nullptr, out.data(), 12));
  EXPECT_EQ(pixelAt(out, 12, 0, 0), 0xFF102030u);
  EXPECT_EQ(pixelAt(out, 12, 1, 0), 0xFF000000u);
  EXPECT_EQ(pixelAt(out, 12, 1, 1), 0xFF102030u);
  EXPECT_EQ(out[8], 0xEE);  // output row padding untouched
  EXPECT_FALSE(convertToArgb(pixels, 1, 1, 4, 4, nullptr, nullptr, out.data(), 4));
}

TEST(PictureConversion, DirectColourLayouts) {
  struct Case {
    std::vector<uint8_t> pixel;
    int bits;
    uint32_t argb;
  };
  const Case cases[] = {{{0x00, 0xF8}, 16, 0xFFF80000u},  // 5-6-5 red
                        {{0xE0, 0x07}, 16, 0xFF00FC00u},  // 5-6-5 green
                        {{0x1F, 0x80}, 15, 0xFF0000F8u},  // 5-5-5: the top bit is nothing
                        {{0x03, 0x02, 0x01}, 24, 0xFF010203u},
                        {{0x03, 0x02, 0x01, 0x55}, 32, 0xFF010203u}};
  std::vector<uint8_t> out(4);
  for (const Case &c : cases) {
    ASSERT_TRUE(convertToArgb(c.pixel.data(), 1, 1, 4, c.bits, nullptr, nullptr, out.data(), 4));
    EXPECT_EQ(pixelAt(out, 4, 0, 0), c.argb) << c.bits;
  }
  const uint8_t rgb32[] = {0x03, 0x02, 0x01, 0x55};
  const PixelFormat redLow{0xFF, 0xFF, 0xFF, 0, 0, 0, 8, 0, 16, 0, 0, 0};
  ASSERT_TRUE(convertToArgb(rgb32, 1, 1, 4, 32, nullptr, &redLow, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF030201u);
  const PixelFormat damaged{0xFF, 0xFF, 0xFF, 0, 40, 0, -3, 0, 0, 12, 0, 0};
  ASSERT_TRUE(convertToArgb(rgb32, 1, 1, 4, 32, nullptr, &damaged, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF000000u);
}

TEST(PicturePlacementTest, WholeFactorsCentredAndPointerMapping) {
  PicturePlacement p = placePicture(1920, 1080, 640, 480);
  EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height}), (std::vector<int>{320, 60, 1280, 960}));
  p = placePicture(1280, 1024, 320, 240);
  EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height}), (std::vector<int>{0, 32, 1280, 960}));
  // Too small an output shrinks the picture, keeping its shape.
  p = placePicture(320, 480, 640, 480);
  EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height}), (std::vector<int>{0, 120, 320, 240}));

  p = placePicture(1920, 1080, 640, 480);
  int x = -1, y = -1;
  outputToPicture(p, 640, 480, 321 + 200, 61 + 100, &x, &y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  outputToPicture(p, 640, 480, 5, 1079, &x, &y);  // on the bars: nearest edge
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 479);
}

}  // namespace
