// Page pixels as the 32-bit words outputs show, and the palette a back end
// keeps for pages presented without one.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/common/page_pixels.h"
#include "platform/common/pixel_words.h"

namespace {

TEST(PagePixels, EightBitPagesGoThroughTheirPaletteHonouringRowLengths) {
  PaletteEntry palette[256] = {};
  palette[1] = PaletteEntry{0x30, 0x20, 0x10, 0x77};  // blue, green, red, reserved
  palette[255] = PaletteEntry{0x01, 0x80, 0xFF, 0x00};

  uint32_t argb[256];
  argbWords(palette, argb);
  EXPECT_EQ(argb[1], 0xFF102030u);
  EXPECT_EQ(argb[0], 0xFF000000u);
  EXPECT_EQ(argb[255], 0xFFFF8001u);
  uint32_t black[256];
  argbWords(nullptr, black);
  EXPECT_EQ(black[1], 0xFF000000u);

  uint32_t rgba[256];
  rgbaByteWords(palette, rgba);
  uint8_t bytes[4];
  std::memcpy(bytes, &rgba[1], 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{0x10, 0x20, 0x30, 0xFF}));
  rgbaByteWords(nullptr, rgba);
  std::memcpy(bytes, &rgba[255], 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{0, 0, 0, 0xFF}));

  // 2 x 2 pixels in rows of 5 bytes, into rows of 12 bytes whose last four
  // are left alone.
  const uint8_t pixels[] = {1, 0, 9, 9, 9, 255, 1, 9, 9, 9};
  std::vector<uint8_t> out(2 * 12, 0xEE);
  expandIndexed(pixels, 2, 2, 5, argb, out.data(), 12);
  EXPECT_EQ(wordAt(out, 12, 0, 0), 0xFF102030u);
  EXPECT_EQ(wordAt(out, 12, 1, 0), 0xFF000000u);
  EXPECT_EQ(wordAt(out, 12, 0, 1), 0xFFFF8001u);
  EXPECT_EQ(wordAt(out, 12, 1, 1), 0xFF102030u);
  EXPECT_EQ(out[8], 0xEE);
  EXPECT_EQ(out[23], 0xEE);
}

TEST(PagePixels, DirectColourLayoutsBecomeWordsWithTheGivenAlpha) {
  struct Case {
    std::vector<uint8_t> pixel;
    int bits;
    uint32_t word;
  };
  const Case cases[] = {{{0x00, 0xF8}, 16, 0xF80000u},  // 5-6-5 red
                        {{0xE0, 0x07}, 16, 0x00FC00u},  // 5-6-5 green
                        {{0x1F, 0x80}, 15, 0x0000F8u},  // 5-5-5: the top bit is nothing
                        {{0x03, 0x02, 0x01}, 24, 0x010203u},
                        {{0x03, 0x02, 0x01, 0x55}, 32, 0x010203u}};
  std::vector<uint8_t> out(4);
  for (const Case &c : cases) {
    ASSERT_TRUE(expandDirect(c.pixel.data(), 1, 1, 4, c.bits, nullptr, 0xFF000000u, out.data(), 4));
    EXPECT_EQ(wordAt(out, 4, 0, 0), 0xFF000000u | c.word) << c.bits;
    ASSERT_TRUE(expandDirect(c.pixel.data(), 1, 1, 4, c.bits, nullptr, 0, out.data(), 4));
    EXPECT_EQ(wordAt(out, 4, 0, 0), c.word) << c.bits;
  }
  EXPECT_EQ(directPixelBytes(15), 2);
  EXPECT_EQ(directPixelBytes(24), 3);
  EXPECT_EQ(directPixelBytes(32), 4);

  // A given layout wins over the usual one: here red and blue swapped.
  const uint8_t rgb32[] = {0x03, 0x02, 0x01, 0x55};
  const PixelFormat redLow{0xFF, 0xFF, 0xFF, 0, 0, 0, 8, 0, 16, 0, 0, 0};
  ASSERT_TRUE(expandDirect(rgb32, 1, 1, 4, 32, &redLow, 0xFF000000u, out.data(), 4));
  EXPECT_EQ(wordAt(out, 4, 0, 0), 0xFF030201u);
  // A damaged layout reads its broken channels as 0 instead of shifting out
  // of range.
  const PixelFormat damaged{0xFF, 0xFF, 0xFF, 0, 40, 0, -3, 0, 0, 12, 0, 0};
  ASSERT_TRUE(expandDirect(rgb32, 1, 1, 4, 32, &damaged, 0xFF000000u, out.data(), 4));
  EXPECT_EQ(wordAt(out, 4, 0, 0), 0xFF000000u);

  // Two rows of 16-bit pixels, 6 bytes apart, into rows 12 bytes apart.
  const uint8_t rows[] = {0x00, 0xF8, 0x1F, 0x00, 0xAA, 0xAA, 0xE0, 0x07, 0xFF, 0xFF, 0xAA, 0xAA};
  std::vector<uint8_t> two(24, 0xEE);
  ASSERT_TRUE(expandDirect(rows, 2, 2, 6, 16, nullptr, 0, two.data(), 12));
  EXPECT_EQ(wordAt(two, 12, 0, 0), 0xF80000u);
  EXPECT_EQ(wordAt(two, 12, 1, 0), 0x0000F8u);
  EXPECT_EQ(wordAt(two, 12, 0, 1), 0x00FC00u);
  EXPECT_EQ(wordAt(two, 12, 1, 1), 0xF8FCF8u);
  EXPECT_EQ(two[8], 0xEE);

  // Depths without a direct-colour form are refused, the output untouched.
  for (int bits : {1, 4, 8, 12, 0}) {
    EXPECT_EQ(directPixelBytes(bits), 0) << bits;
    std::vector<uint8_t> untouched(4, 0x55);
    EXPECT_FALSE(expandDirect(rgb32, 1, 1, 4, bits, nullptr, 0, untouched.data(), 4)) << bits;
    EXPECT_EQ(untouched, std::vector<uint8_t>(4, 0x55));
  }
}

TEST(PagePixels, AStoredPaletteKeepsOnlyTheRangeGivenWithoutReservedBytes) {
  PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), 7, 0x99};
  PaletteEntry kept[256] = {};
  storePalette(kept, entries, 3, 10);
  EXPECT_EQ(kept[9].blue, 0);
  EXPECT_EQ(kept[10].blue, 10);
  EXPECT_EQ(kept[12].green, 255 - 12);
  EXPECT_EQ(kept[12].red, 7);
  EXPECT_EQ(kept[12].reserved, 0);
  EXPECT_EQ(kept[13].red, 0);

  // A range reaching out of the table on either side is clipped to it.
  PaletteEntry edges[256] = {};
  storePalette(edges, entries, 4, -2);
  EXPECT_EQ(edges[0].red, 7);
  EXPECT_EQ(edges[1].blue, 1);
  EXPECT_EQ(edges[2].red, 0);
  storePalette(edges, entries, 1000, 254);
  EXPECT_EQ(edges[253].red, 0);
  EXPECT_EQ(edges[255].blue, 255);
  EXPECT_EQ(edges[255].reserved, 0);
  storePalette(edges, entries, 2147483647, 200);  // no overflow of first + count
  EXPECT_EQ(edges[200].blue, 200);

  // Nothing given, nothing stored.
  PaletteEntry untouched[256] = {};
  storePalette(untouched, nullptr, 256, 0);
  storePalette(untouched, entries, 0, 5);
  storePalette(untouched, entries, -3, 5);
  for (const PaletteEntry &e : untouched) EXPECT_EQ(e.red | e.green | e.blue | e.reserved, 0);
}

}  // namespace
