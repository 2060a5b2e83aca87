// The SDL back end's texture pixels: which page goes through its palette and
// which is unpacked, and that every pixel is opaque.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/pixel_words.h"
#include "platform/sdl/picture.h"

namespace {

TEST(PictureConversion, PagesBecomeOpaqueArgbOfEveryDepthTheBackEndShows) {
  PaletteEntry palette[256] = {};
  palette[1] = PaletteEntry{0x30, 0x20, 0x10, 0x77};        // blue, green, red, reserved
  const uint8_t pixels[] = {1, 0, 9, 9, 9, 0, 1, 9, 9, 9};  // 2 x 2, rows of 5 bytes
  std::vector<uint8_t> out(2 * 12, 0xEE);
  ASSERT_TRUE(convertToArgb(pixels, 2, 2, 5, 8, palette, nullptr, out.data(), 12));
  EXPECT_EQ(wordAt(out, 12, 0, 0), 0xFF102030u);
  EXPECT_EQ(wordAt(out, 12, 1, 1), 0xFF102030u);
  EXPECT_EQ(out[8], 0xEE);  // output row padding untouched
  ASSERT_TRUE(convertToArgb(pixels, 2, 2, 5, 8, nullptr, nullptr, out.data(), 12));
  EXPECT_EQ(wordAt(out, 12, 0, 0), 0xFF000000u);  // no palette: black

  const uint8_t red565[] = {0x00, 0xF8};
  ASSERT_TRUE(convertToArgb(red565, 1, 1, 2, 16, nullptr, nullptr, out.data(), 4));
  EXPECT_EQ(wordAt(out, 4, 0, 0), 0xFFF80000u);

  std::vector<uint8_t> untouched(4, 0x55);
  EXPECT_FALSE(convertToArgb(pixels, 1, 1, 4, 4, nullptr, nullptr, untouched.data(), 4));
  EXPECT_FALSE(convertToArgb(pixels, 0, 1, 4, 8, palette, nullptr, untouched.data(), 4));
  EXPECT_FALSE(convertToArgb(nullptr, 1, 1, 4, 8, palette, nullptr, untouched.data(), 4));
  EXPECT_EQ(untouched, std::vector<uint8_t>(4, 0x55));
}

}  // namespace
