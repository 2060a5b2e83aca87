// A bounded soak: a few thousand passes of seeded random play at each screen
// size on this build's kelvaro-headless (under the sanitizers in the
// sanitizer build). tools/soak.sh with no arguments is the full run.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

TEST(SoakBounded, ThreeThousandPassesAtEachSizeEndCleanly) {
  const std::string command = std::string("KELVARO_SOAK_PROGRAM='") + KELVARO_SOAK_PROGRAM +
                              "' KELVARO_SOAK_KEYGEN='" + KELVARO_SOAK_KEYGEN + "' KELVARO_SOAK_DATA='" +
                              KELVARO_SOAK_DATA_DIR + "' bash '" + KELVARO_SOAK_SCRIPT + "' 3000 0";
  const int rc = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 0) << "see the soak report above";
}
