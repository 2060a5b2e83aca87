#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "tools/bmpwrite/bmp_write.h"
#include "tools/kelvaro-headless/trace_line.h"

namespace {

uint32_t read32(const std::vector<uint8_t> &b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t read16(const std::vector<uint8_t> &b, size_t at) {
  return b[at] | b[at + 1] << 8;
}

TEST(HeadlessBitmapFile, EightBitBottomUpWithFullPaletteAndPaddedRows) {
  // 3 x 2 picture stored with a 5-byte stride; the stride's spare bytes must
  // not leak into the file.
  const uint8_t pixels[] = {1, 2, 3, 0xEE, 0xEE,  // top row
                            4, 5, 6, 0xEE, 0xEE};
  PaletteEntry palette[256] = {};
  for (int i = 0; i < 256; ++i)
    palette[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x55), 0x77};

  const std::vector<uint8_t> b = encodeBmp8(pixels, 3, 2, 5, palette);
  const size_t dataOffset = 14 + 40 + 1024;
  ASSERT_EQ(b.size(), dataOffset + 2 * 4);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(read32(b, 2), b.size());
  EXPECT_EQ(read32(b, 10), dataOffset);
  EXPECT_EQ(read32(b, 14), 40u);
  EXPECT_EQ(read32(b, 18), 3u);
  EXPECT_EQ(read32(b, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(read16(b, 26), 1u);
  EXPECT_EQ(read16(b, 28), 8u);
  EXPECT_EQ(read32(b, 30), 0u);  // uncompressed
  EXPECT_EQ(read32(b, 34), 8u);
  EXPECT_EQ(read32(b, 46), 256u);

  // Blue, green, red, then a zero byte whatever the entry's spare byte says.
  for (int i : {0, 1, 23, 255}) {
    const size_t at = 54 + 4 * static_cast<size_t>(i);
    EXPECT_EQ(b[at], palette[i].blue) << i;
    EXPECT_EQ(b[at + 1], palette[i].green) << i;
    EXPECT_EQ(b[at + 2], palette[i].red) << i;
    EXPECT_EQ(b[at + 3], 0) << i;
  }

  const std::vector<uint8_t> rows(b.begin() + static_cast<long>(dataOffset), b.end());
  EXPECT_EQ(rows, (std::vector<uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
}

TEST(HeadlessBitmapFile, RowsAlreadyAlignedGetNoPaddingAndUnwritablePathsFail) {
  const std::vector<uint8_t> pixels(8 * 3, 9);
  PaletteEntry palette[256] = {};
  EXPECT_EQ(encodeBmp8(pixels.data(), 8, 3, 8, palette).size(), 14u + 40 + 1024 + 24);
  EXPECT_FALSE(writeBmp8("/nonexistent-directory/shot.bmp", pixels.data(), 8, 3, 8, palette));
}

TEST(HeadlessTraceLine, FieldsInOrderAndDoublesReadBackExactly) {
  const TraceState s{12, 0, 2, 0.1, -1.0 / 3.0, 1e-300, 0.0005275, 6.183185308, 38, 0.3, 2.0 / 7.0};
  const std::string line = formatTraceLine(s);
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(line.back(), '\n');
  EXPECT_EQ(line.find('\n'), line.size() - 1);

  std::istringstream in(line);
  long pass;
  int menuMode, lives, jumpIndex;
  std::string x, y, z, speed, heading, jumpFactor, viewHeight;
  in >> pass >> menuMode >> lives >> x >> y >> z >> speed >> heading >> jumpIndex >> jumpFactor >> viewHeight;
  ASSERT_FALSE(in.fail()) << line;
  EXPECT_EQ(pass, 12);
  EXPECT_EQ(menuMode, 0);
  EXPECT_EQ(lives, 2);
  EXPECT_EQ(jumpIndex, 38);
  EXPECT_EQ(std::strtod(x.c_str(), nullptr), s.x);
  EXPECT_EQ(std::strtod(y.c_str(), nullptr), s.y);
  EXPECT_EQ(std::strtod(z.c_str(), nullptr), s.z);
  EXPECT_EQ(std::strtod(speed.c_str(), nullptr), s.speed);
  EXPECT_EQ(std::strtod(heading.c_str(), nullptr), s.heading);
  EXPECT_EQ(std::strtod(jumpFactor.c_str(), nullptr), s.jumpFactor);
  EXPECT_EQ(std::strtod(viewHeight.c_str(), nullptr), s.viewHeight);
  EXPECT_EQ(x, "0.10000000000000001");  // %.17g, not a shortened form
}

}  // namespace
