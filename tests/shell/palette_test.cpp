#include <gtest/gtest.h>

#include "game/shell/palettes.h"

namespace {

uint32_t rgb(const PaletteEntry &e) {
  EXPECT_EQ(e.reserved, 0);
  return static_cast<uint32_t>(e.red) << 16 | static_cast<uint32_t>(e.green) << 8 | e.blue;
}

TEST(Palettes, MenuPaletteHasItsListedColoursAndWhiteTail) {
  PaletteEntry p[256];
  buildMenuPalette(p);
  EXPECT_EQ(rgb(p[0]), 0x000000u);
  EXPECT_EQ(rgb(p[1]), 0x080000u);
  EXPECT_EQ(rgb(p[23]), 0x1010F7u);
  EXPECT_EQ(rgb(p[127]), 0xBD0000u);
  EXPECT_EQ(rgb(p[184]), 0xFFFF00u);
  for (int i = 185; i <= 253; ++i) EXPECT_EQ(rgb(p[i]), 0xFFFFFFu) << i;
  // Bytes are stored blue first.
  EXPECT_EQ(p[23].blue, 0xF7);
  EXPECT_EQ(p[23].red, 0x10);
}

TEST(Palettes, GamePaletteHasItsTableAndTheTwoBallRamps) {
  PaletteEntry p[256];
  buildGamePalette(p);
  EXPECT_EQ(rgb(p[1]), 0x000008u);
  EXPECT_EQ(rgb(p[85]), 0xFF0000u);
  EXPECT_EQ(rgb(p[127]), 0xF6E7E4u);
  EXPECT_EQ(rgb(p[128]), 0x002800u);
  EXPECT_EQ(rgb(p[160]), 0x0F880Fu);
  EXPECT_EQ(rgb(p[191]), 0xEFE5EFu);
  EXPECT_EQ(rgb(p[254]), 0xE0E0E2u);
  EXPECT_EQ(rgb(p[255]), 0xEFEFE5u);
  // The ramps stay black for their first seventeen steps.
  EXPECT_EQ(p[128 + 16].red, 0);
  EXPECT_EQ(p[128 + 17].red, 1);
  EXPECT_EQ(p[192 + 32].red, 15);
  EXPECT_EQ(p[192 + 32].blue, 40 + 3 * 32);
}

}  // namespace
