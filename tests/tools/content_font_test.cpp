// The frame-rate font: a Windows 2.x raster font file that the game's reader
// takes, with every printable ASCII glyph and a harmless line break.
#include <cstring>

#include "content_support.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {

using content::le16;
using content::le32;

class LittleFont : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = content::readBytes(content::dataFile("little.fnt"));
    ASSERT_GE(bytes.size(), 118u);
  }
  std::vector<uint8_t> bytes;
};

TEST_F(LittleFont, HeaderDescribesAProportionalRasterFontOfPrintableAscii) {
  EXPECT_EQ(le16(bytes, 0), 0x0200u);
  EXPECT_EQ(le32(bytes, 2), bytes.size());
  EXPECT_EQ(le16(bytes, 66), 0u);  // raster
  EXPECT_EQ(le16(bytes, 86), 0u);  // no fixed cell width
  EXPECT_EQ(le16(bytes, 88), 9u);
  EXPECT_EQ(le16(bytes, 74), 7u);
  EXPECT_EQ(bytes[95], 32);
  EXPECT_EQ(bytes[96], 126);
  EXPECT_EQ(bytes[97], 0);  // the default character is the space
}

TEST_F(LittleFont, CharacterTableAndGlyphBitsAgree) {
  const uint32_t height = le16(bytes, 88);
  const uint32_t bitsOffset = le32(bytes, 113);
  const uint32_t faceOffset = le32(bytes, 105);
  const int count = bytes[96] - bytes[95] + 1;
  ASSERT_EQ(bitsOffset, 118u + (count + 1) * 4u);
  ASSERT_EQ(faceOffset - bitsOffset, count * height);
  ASSERT_LE(faceOffset + 58, bytes.size());  // the reader copies 58 bytes of name
  EXPECT_STREQ(reinterpret_cast<const char *>(&bytes[faceOffset]), "Little");
  for (int i = 0; i <= count; ++i) {
    const uint32_t width = le16(bytes, 118 + i * 4);
    const uint32_t offset = le16(bytes, 118 + i * 4 + 2);
    EXPECT_EQ(offset, bitsOffset + i * height) << "entry " << i;  // one 8-pixel strip per glyph
    if (i < count) {
      EXPECT_GE(width, 2u) << "entry " << i;
      EXPECT_LE(width, 8u) << "entry " << i;
      // The last column is the gap to the next character: no ink there.
      for (uint32_t row = 0; row < height; ++row) {
        EXPECT_EQ(bytes[offset + row] & (0xFF >> (width - 1)), 0) << "entry " << i << " row " << row;
      }
    }
  }
}

TEST_F(LittleFont, LoadsThroughTheGamesReader) {
  Font *font = RK_readFontFile(content::dataFile("little.fnt").c_str());
  ASSERT_NE(font, nullptr) << RK_errorText(RK_lastError());
  EXPECT_EQ(font->fontType, RK_FontProportional);
  EXPECT_EQ(font->fontHeight, 9);
  EXPECT_EQ(font->ascent, 7);
  EXPECT_STREQ(font->name, "Little");

  auto inkRows = [&](int code) {
    int rows = 0;
    for (int r = 0; r < font->fontHeight; ++r) rows += font->glyphBitmaps()[font->offset[code] + r] != 0;
    return rows;
  };
  // What the frame-rate line shows: "%f fps\n".
  for (const char *c = "0123456789.fps"; *c != '\0'; ++c) {
    ASSERT_GE(font->offset[int(*c)], 0) << *c;
    EXPECT_GT(inkRows(*c), 0) << *c;
    EXPECT_EQ(font->bitmapWidth()[int(*c)], 8) << *c;
  }
  // The line break has no glyph of its own and is drawn as code 0, the
  // default character: the blank space.
  EXPECT_EQ(font->offset[10], -1);
  EXPECT_EQ(font->offset[0], font->offset[' ']);
  EXPECT_EQ(inkRows(0), 0);
  RK_freeFont(font);
}

}  // namespace
