// A few seconds of each fuzz target of the bitmap and font readers (the
// files rkinfo reads), when clang++ is there to build them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

TEST(ReaderFuzzSmoke, BothTargetsRunWithoutFindings) {
  if (std::system("command -v clang++ >/dev/null 2>&1") != 0) GTEST_SKIP() << "clang++ not found";
  const char *source = std::getenv("KELVARO_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "KELVARO_SOURCE_DIR is not set";
  std::string command = "bash '" + std::string(source) + "/tools/fuzz.sh' 5";
  int rc = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 0) << "see fuzz-out/*.log and fuzz-out/crashes/";
}
