// Files the tools write again in place, as a rebuild of the data or a second
// run into the same folder does: Windows does not let a plain rename replace
// a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/portable.h"
#include "tools/bmpwrite/bmp_write.h"

TEST(RewrittenFiles, APictureWrittenTwiceHoldsTheSecondOne) {
  const std::filesystem::path dir = portable::makeTempFolder("kelvaro-rewrite-");
  const std::string path = (dir / "shot.bmp").string();
  PaletteEntry palette[256] = {};
  const uint8_t first[4] = {1, 1, 1, 1}, second[4] = {2, 2, 2, 2};
  ASSERT_TRUE(writeBmp8(path, first, 2, 2, 2, palette));
  ASSERT_TRUE(writeBmp8(path, second, 2, 2, 2, palette));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.back(), '\0');             // row padding
  EXPECT_EQ(bytes[bytes.size() - 4], '\2');  // the second picture's last row
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  std::filesystem::remove_all(dir);
}
