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

TEST(PictureConversion, EightBitGoesThroughThePaletteAndHonoursRowLength) {
  PaletteEntry palette[256] = {};
  palette[1] = PaletteEntry{0x30, 0x20, 0x10, 0x77};  // blue, green, red, reserved
  palette[255] = PaletteEntry{0xFF, 0xFF, 0xFF, 0};
  // Two rows of three pixels, padded to five bytes.
  const uint8_t pixels[] = {1, 0, 255, 9, 9, 255, 1, 0, 9, 9};
  std::vector<uint8_t> out(2 * 16, 0xEE);
  ASSERT_TRUE(convertToArgb(pixels, 3, 2, 5, 8, palette, nullptr, out.data(), 16));
  EXPECT_EQ(pixelAt(out, 16, 0, 0), 0xFF102030u);
  EXPECT_EQ(pixelAt(out, 16, 1, 0), 0xFF000000u);
  EXPECT_EQ(pixelAt(out, 16, 2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(pixelAt(out, 16, 1, 1), 0xFF102030u);
  // The padding of the output rows is not written.
  EXPECT_EQ(out[12], 0xEE);
}

TEST(PictureConversion, DirectColourDepthsUnpackTheirLayout) {
  std::vector<uint8_t> out(4);
  // 5-6-5: pure red, green and blue at full strength.
  const uint8_t red16[] = {0x00, 0xF8};
  ASSERT_TRUE(convertToArgb(red16, 1, 1, 2, 16, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFFF80000u);
  const uint8_t green16[] = {0xE0, 0x07};
  ASSERT_TRUE(convertToArgb(green16, 1, 1, 2, 16, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF00FC00u);
  // 5-5-5: the top bit is not green.
  const uint8_t blue15[] = {0x1F, 0x80};
  ASSERT_TRUE(convertToArgb(blue15, 1, 1, 2, 15, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF0000F8u);
  // 24 and 32 bits: bytes blue, green, red.
  const uint8_t rgb24[] = {0x03, 0x02, 0x01};
  ASSERT_TRUE(convertToArgb(rgb24, 1, 1, 3, 24, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF010203u);
  const uint8_t rgb32[] = {0x03, 0x02, 0x01, 0x55};
  ASSERT_TRUE(convertToArgb(rgb32, 1, 1, 4, 32, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF010203u);
  // A layout of its own: red in the low byte.
  const PixelFormat swapped{0xFF, 0xFF, 0xFF, 0, 0, 0, 8, 0, 16, 0, 0, 0};
  ASSERT_TRUE(convertToArgb(rgb32, 1, 1, 4, 32, nullptr, &swapped, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF030201u);
}

TEST(PictureConversion, RefusesWhatItCannotShow) {
  std::vector<uint8_t> out(4, 0xAB);
  const uint8_t pixels[4] = {};
  EXPECT_FALSE(convertToArgb(pixels, 1, 1, 4, 4, nullptr, nullptr, out.data(), 4));
  EXPECT_FALSE(convertToArgb(nullptr, 1, 1, 4, 8, nullptr, nullptr, out.data(), 4));
  EXPECT_FALSE(convertToArgb(pixels, 0, 1, 4, 8, nullptr, nullptr, out.data(), 4));
  const PixelFormat broken{0xFF, 0xFF, 0xFF, 0, 40, 0, -3, 0, 0, 12, 0, 0};
  ASSERT_TRUE(convertToArgb(pixels, 1, 1, 4, 32, nullptr, &broken, out.data(), 4));
  EXPECT_EQ(pixelAt(out, 4, 0, 0), 0xFF000000u);
}

TEST(PicturePlacementTest, WholeFactorsCentredOnTheOutput) {
  // 640x480 on 1920x1080: factor 2, bars left/right and top/bottom.
  PicturePlacement p = placePicture(1920, 1080, 640, 480);
  EXPECT_EQ(p.width, 1280);
  EXPECT_EQ(p.height, 960);
  EXPECT_EQ(p.x, 320);
  EXPECT_EQ(p.y, 60);
  // 320x240 on 1280x1024: factor 4.
  p = placePicture(1280, 1024, 320, 240);
  EXPECT_EQ(p.width, 1280);
  EXPECT_EQ(p.height, 960);
  EXPECT_EQ(p.y, 32);
  // Exactly the output size.
  p = placePicture(640, 480, 640, 480);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.width, 640);
  // An output too small shrinks the picture but keeps its shape.
  p = placePicture(320, 480, 640, 480);
  EXPECT_EQ(p.width, 320);
  EXPECT_EQ(p.height, 240);
  EXPECT_EQ(p.y, 120);
  p = placePicture(0, 0, 640, 480);
  EXPECT_EQ(p.width, 0);
}

TEST(PicturePlacementTest, PointerPositionsMapIntoThePicture) {
  const PicturePlacement p = placePicture(1920, 1080, 640, 480);
  int x = -1, y = -1;
  outputToPicture(p, 640, 480, 320, 60, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  outputToPicture(p, 640, 480, 321 + 2 * 100, 61 + 2 * 50, &x, &y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  // On the black bars: clamped to the nearest edge.
  outputToPicture(p, 640, 480, 5, 1079, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 479);
}

}  // namespace
