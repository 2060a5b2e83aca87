#include <gtest/gtest.h>

#include <cstring>

#include "graphics/rasterkit.h"

namespace {

struct Palettes : testing::Test {
  void TearDown() override { RK_shutdown(); }
};
using PixelPacking = testing::Test;

uint32_t paletteWord(const DeviceContext *dc, int index) {
  uint32_t word;
  std::memcpy(&word, &dc->palette[index], 4);
  return word;
}

}  // namespace

TEST_F(Palettes, DrawColourOnPaletteAndDirectSurfaces) {
  DeviceContext *dc8 = RK_openMemoryContext(4, 4, 8, nullptr);
  DeviceContext *dc16 = RK_openMemoryContext(4, 4, 16, nullptr);
  RK_storePaletteEntry(dc8, 13, 255, 0, 0);
  RK_storePaletteEntry(dc16, 13, 255, 128, 8);
  EXPECT_EQ(paletteWord(dc16, 13), (31u << 11) | (32u << 5) | 1u);

  RK_selectContext(dc8);
  RK_setDrawColor(13);
  EXPECT_EQ(RK_currentMirror()->attributes.color, 13u);
  RK_selectContext(dc16);
  RK_setDrawColor(13);
  EXPECT_EQ(RK_currentMirror()->attributes.color, paletteWord(dc16, 13));

  // A palette-mapped 8-bit context translates too.
  RK_selectContext(dc8);
  RK_currentMirror()->attributes.paletteMapped = 1;
  RK_setDrawColor(13);
  EXPECT_EQ(RK_currentMirror()->attributes.color, 0x00FF0000u);
  // Indices outside the table never read past it.
  EXPECT_EQ(RK_mapColorIndex(dc16, 256), 0u);
  EXPECT_EQ(RK_mapColorIndex(dc16, -1), 0u);
  EXPECT_EQ(RK_mapColorIndex(dc8, 300), 0u);
}

TEST_F(Palettes, RangesKeepIndicesLeaveTheSourceAloneAndStayInsideTheTable) {
  DeviceContext *dc = RK_openMemoryContext(4, 4, 8, nullptr);
  PaletteEntry source[256];
  for (int i = 0; i < 256; ++i) {
    source[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0xEE};
  }
  PaletteEntry before[256];
  std::memcpy(before, source, sizeof source);
  RK_setPaletteRange(dc, source, 3, 10);
  EXPECT_EQ(std::memcmp(before, source, sizeof source), 0);
  EXPECT_EQ(dc->palette[9].blue, 0);
  EXPECT_EQ(dc->palette[10].blue, 10);
  EXPECT_EQ(dc->palette[12].green, 243);
  EXPECT_EQ(dc->palette[12].reserved, 0);
  EXPECT_EQ(dc->palette[13].red, 0);

  // Ranges reaching outside 0..255 are cut to the table (the sanitizer build
  // would report any access past it).
  RK_setPaletteRange(dc, source, 300, -20);
  EXPECT_EQ(dc->palette[255].blue, 255);
  EXPECT_EQ(dc->palette[0].red, 7);
  RK_storePaletteEntry(dc, 256, 1, 2, 3);
  RK_storePaletteEntry(dc, -1, 1, 2, 3);
  RK_realizePaletteRange(dc, 1000, -5, 0);

  EXPECT_EQ(RK_paletteSize(dc), 256);
  DeviceContext *dc4 = RK_openMemoryContext(4, 4, 4, nullptr);
  DeviceContext *dc32 = RK_openMemoryContext(4, 4, 32, nullptr);
  EXPECT_EQ(RK_paletteSize(dc4), 16);
  EXPECT_EQ(RK_paletteSize(dc32), 256);
}

TEST_F(Palettes, DirectColourRangesStorePackedWords) {
  DeviceContext *dc = RK_openMemoryContext(4, 4, 32, nullptr);
  PaletteEntry entries[4] = {{1, 2, 3, 0}, {10, 20, 30, 0}, {0, 0, 0, 0}, {0xFF, 0x80, 0x40, 0}};
  RK_setPaletteRange(dc, entries, 3, 1);
  EXPECT_EQ(paletteWord(dc, 1), 0x1E140Au);
  EXPECT_EQ(paletteWord(dc, 3), 0x4080FFu);
  EXPECT_EQ(paletteWord(dc, 0), 0u);
}

TEST_F(PixelPacking, ChannelsFromSizesAndRoundTrips) {
  const PixelFormat pf565 = RK_pixelFormatFromChannels(5, 11, 6, 5, 5, 0, 0, 0);
  EXPECT_EQ(pf565.redMask, 31);
  EXPECT_EQ(pf565.redAdjust, 3);
  EXPECT_EQ(pf565.greenMask, 63);
  EXPECT_EQ(pf565.greenAdjust, 2);
  EXPECT_EQ(pf565.alphaMask, 0);
  EXPECT_EQ(pf565.alphaPos, 0);
  EXPECT_EQ(pf565.alphaAdjust, 0);
  EXPECT_EQ(RK_packPixel(pf565, 255, 255, 255), 0xFFFFu);
  EXPECT_EQ(RK_packPixel(pf565, 0x80, 0x40, 0x20), (16u << 11) | (16u << 5) | 4u);
  int r, g, b;
  RK_unpackPixel(pf565, 0xFFFF, &r, &g, &b);
  EXPECT_EQ(r, 248);
  EXPECT_EQ(g, 252);
  EXPECT_EQ(b, 248);

  const PixelFormat pf555 = RK_pixelFormatFromChannels(5, 10, 5, 5, 5, 0, 0, 0);
  EXPECT_EQ(RK_packPixel(pf555, 255, 0, 0), 0x7C00u);
  const PixelFormat pf888 = RK_pixelFormatFromChannels(8, 16, 8, 8, 8, 0, 8, 24);
  EXPECT_EQ(pf888.alphaMask, 255);
  EXPECT_EQ(pf888.alphaPos, 24);
  for (int v : {0, 1, 127, 128, 254, 255}) {
    RK_unpackPixel(pf888, RK_packPixel(pf888, v, 255 - v, v / 2), &r, &g, &b);
    EXPECT_EQ(r, v);
    EXPECT_EQ(g, 255 - v);
    EXPECT_EQ(b, v / 2);
  }
  // A hand-made layout that shifts outside the word packs nothing for that
  // channel instead of shifting undefinedly.
  PixelFormat broken = pf888;
  broken.redPos = 32;
  broken.greenAdjust = -1;
  EXPECT_EQ(RK_packPixel(broken, 255, 255, 255), 0xFFu);
}
