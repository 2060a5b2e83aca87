// The Win32 back end's translation of key messages and its picture work:
// what the game sees of a key, and the bitmap rows a page is shown from.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_picture.h"

namespace {

// An lParam as Windows builds it for a key message.
uint32_t keyParam(uint32_t scan, bool extended, bool alt = false, bool repeat = false, uint32_t count = 1) {
  return count | scan << 16 | (extended ? 1u << 24 : 0u) | (alt ? 1u << 29 : 0u) | (repeat ? 1u << 30 : 0u);
}

}  // namespace

TEST(Win32Keys, TheGameSeesTheSameSetOneCodesAsOnLinux) {
  // Cursor block keys come with the extended bit; the game steers by 72,
  // 80, 75 and 77 whichever block the arrows are on.
  EXPECT_EQ(scanCodeOf(keyParam(0x48, true)), 72);
  EXPECT_EQ(scanCodeOf(keyParam(0x50, true)), 80);
  EXPECT_EQ(scanCodeOf(keyParam(0x4B, false)), 75);
  EXPECT_EQ(scanCodeOf(keyParam(0x4D, true)), 77);
  // Both Enter keys charge the bounce.
  EXPECT_EQ(scanCodeOf(keyParam(0x1C, false)), 28);
  EXPECT_EQ(scanCodeOf(keyParam(0x1C, true)), 28);
  EXPECT_EQ(scanCodeOf(keyParam(0x01, false)), 1);

  // Alt+Enter arrives with the context bit; an auto-repeat with the
  // previous-state bit; neither shows up in the scan code.
  const uint32_t altEnter = keyParam(0x1C, false, true, true, 3);
  EXPECT_EQ(scanCodeOf(altEnter), 28);
  EXPECT_TRUE(altHeld(altEnter));
  EXPECT_TRUE(wasDown(altEnter));
  EXPECT_FALSE(altHeld(keyParam(0x1C, false)));
  EXPECT_FALSE(wasDown(keyParam(0x1C, false)));

  // Characters fit the event's eight bits; wider ones are none.
  EXPECT_EQ(characterOf(27), 27);
  EXPECT_EQ(characterOf(0xE4), 0xE4);
  EXPECT_EQ(characterOf(0x20AC), 0);
}

TEST(Win32Picture, PagesBecomeDibRowsTopFirst) {
  // 8 bits: rows copied as they are, padded to four bytes with zeros; the
  // page's own row length may be longer than its width.
  const int width = 6, height = 2, pitch = 10;
  std::vector<uint8_t> page(pitch * height, 0xEE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) page[y * pitch + x] = static_cast<uint8_t>(10 * y + x);
  ASSERT_EQ(dibBits(8), 8);
  ASSERT_EQ(dibStride(width, 8), 8);
  std::vector<uint8_t> dib(dibStride(width, 8) * height, 0x55);
  ASSERT_TRUE(copyToDib(page.data(), width, height, pitch, 8, nullptr, dib.data()));
  EXPECT_EQ(dib, (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 0, 0, 10, 11, 12, 13, 14, 15, 0, 0}));

  // 16 bits, 5-6-5: blue, green, red, 0 per pixel, each channel widened.
  const uint16_t pixels[2] = {0xF800, 0x07E0 | 0x001F};  // red; green + blue
  ASSERT_EQ(dibBits(16), 32);
  std::vector<uint8_t> wide(dibStride(2, 16), 0x55);
  ASSERT_TRUE(copyToDib(reinterpret_cast<const uint8_t *>(pixels), 2, 1, 4, 16, nullptr, wide.data()));
  EXPECT_EQ(wide, (std::vector<uint8_t>{0, 0, 0xF8, 0, 0xF8, 0xFC, 0, 0}));

  // Depths without a DIB form are refused and leave the output alone.
  EXPECT_EQ(dibBits(4), 0);
  EXPECT_EQ(dibStride(8, 4), 0);
  std::vector<uint8_t> untouched(8, 0x55);
  EXPECT_FALSE(copyToDib(page.data(), 4, 1, pitch, 4, nullptr, untouched.data()));
  EXPECT_EQ(untouched, std::vector<uint8_t>(8, 0x55));
}
