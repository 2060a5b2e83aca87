// The converter's advice on texture sizes.
#include <gtest/gtest.h>

#include "tools/kelvaro-convert/texture_size.h"

TEST(ConvertTextureSize, TextureAdviceNamesTheNearestWidthsThatFit) {
  for (int width : {3, 7, 127, 255, 511}) EXPECT_TRUE(textureSizeFits(width, 64)) << width;
  for (int width : {1, 2, 4, 126, 128, 256}) EXPECT_FALSE(textureSizeFits(width, 64)) << width;
  EXPECT_EQ(textureSizeAdvice(255, 255), "");
  EXPECT_NE(textureSizeAdvice(128, 128).find("128x128; scale or crop it to 127 or 131 pixels wide"),
            std::string::npos);
  EXPECT_NE(textureSizeAdvice(256, 10).find("255 or 259"), std::string::npos);
  EXPECT_NE(textureSizeAdvice(126, 10).find("123 or 127"), std::string::npos);
  // Too narrow for a smaller width that fits: only the next one up.
  EXPECT_NE(textureSizeAdvice(1, 10).find("to 3 pixels wide"), std::string::npos);
  EXPECT_NE(textureSizeAdvice(127, 1).find("at least 2 rows"), std::string::npos);
}
