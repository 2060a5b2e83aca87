// The converter's command line and its advice on texture sizes.
#include <gtest/gtest.h>

#include <vector>

#include "tools/kelvaro-convert/convert_options.h"
#include "tools/kelvaro-convert/texture_size.h"

namespace {

bool parse(std::vector<const char *> args, ConvertOptions &o, std::string &error) {
  args.insert(args.begin(), "kelvaro-convert");
  return parseConvertOptions(int(args.size()), args.data(), o, error);
}

}  // namespace

TEST(ConvertOptions, OptionsGoAnywhereAndEachSpellingMeansOneThing) {
  ConvertOptions o;
  std::string error;
  ASSERT_TRUE(parse({"--dither=ordered", "in.png", "--palette", "menu", "out.bmp", "--texture"}, o, error)) << error;
  EXPECT_EQ(o.input, "in.png");
  EXPECT_EQ(o.output, "out.bmp");
  EXPECT_EQ(o.palette, GamePalette::Menu);
  EXPECT_TRUE(o.texture);
  EXPECT_EQ(o.dither, Dither::Ordered);
  ASSERT_TRUE(parse({"in.png", "out.bmp", "--palette=play", "--dither"}, o, error));
  EXPECT_EQ(o.palette, GamePalette::Playing);
  EXPECT_EQ(o.dither, Dither::Diffusion);
  EXPECT_FALSE(o.texture);
  ASSERT_TRUE(parse({"in.png", "out.bmp", "--palette", "play"}, o, error));
  EXPECT_EQ(o.dither, Dither::None);

  EXPECT_FALSE(parse({"in.png", "out.bmp"}, o, error));
  EXPECT_NE(error.find("--palette play or --palette menu"), std::string::npos);
  EXPECT_FALSE(parse({"in.png", "out.bmp", "--palette"}, o, error));
  EXPECT_FALSE(parse({"in.png", "out.bmp", "--palette", "Play"}, o, error));
  EXPECT_FALSE(parse({"in.png", "out.bmp", "--palette", "menu", "--dither=random"}, o, error));
  EXPECT_FALSE(parse({"in.png", "--palette", "menu"}, o, error));
}

TEST(ConvertOptions, TextureAdviceNamesTheNearestWidthsThatFit) {
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
