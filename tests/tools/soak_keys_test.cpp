// The soak key scripts: readable by kelvaro-headless, the same for the same
// seed, and never able to end the game from the menu or by Escape.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "key_script.h"
#include "soak_keys.h"

namespace {

constexpr int ScanUp = 72, ScanDown = 80, ScanRight = 77;

std::vector<KeyChange> readBack(uint64_t seed, long passes) {
  std::ostringstream text;
  writeSoakScript(text, generateSoakKeys(seed, passes), seed);
  std::istringstream in(text.str());
  std::vector<KeyChange> changes;
  std::string error;
  EXPECT_TRUE(readKeyScript(in, changes, error)) << error;
  return changes;
}

TEST(SoakKeys, ScriptsNeverPickTheQuitItemNorPressEscape) {
  for (uint64_t seed : {1ull, 2ull, 99ull, 123456789ull}) {
    SCOPED_TRACE(seed);
    const long passes = 20000;
    const std::vector<KeyChange> changes = readBack(seed, passes);
    ASSERT_FALSE(changes.empty());
    std::map<int, bool> held;
    // The menu as the game polls it, as if it were shown on every pass: the
    // selection starts on quit, Down picks quit, Up picks play, Right takes
    // the selection.
    int selection = 0;
    size_t next = 0;
    long rightPasses = 0;
    for (long pass = 0; pass < passes; ++pass) {
      for (; next < changes.size() && changes[next].pass == pass; ++next) {
        const KeyChange &c = changes[next];
        ASSERT_NE(c.character, 27) << "Escape at pass " << pass;
        ASSERT_NE(held[c.scanCode], c.down)
            << "key " << c.scanCode << " changed to its own state at " << pass;
        held[c.scanCode] = c.down;
      }
      if (held[ScanDown]) {
        ASSERT_TRUE(held[ScanUp]) << "Down held alone at pass " << pass;
        selection = 0;
      }
      if (held[ScanUp]) selection = 1;
      if (held[ScanRight]) {
        ASSERT_EQ(selection, 1) << "Right would pick quit at pass " << pass;
        ++rightPasses;
      }
    }
    EXPECT_EQ(next, changes.size()) << "changes after the last pass";
    for (const auto &[scan, down] : held) EXPECT_FALSE(down) << "key " << scan << " still held at the end";
    // The game must get to play and to leave the menu again after each loss.
    EXPECT_GT(rightPasses, passes / 20);
  }
}

TEST(SoakKeys, TheSeedAloneDecides) {
  const auto a = generateSoakKeys(7, 5000), b = generateSoakKeys(7, 5000), c = generateSoakKeys(8, 5000);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].pass, b[i].pass);
    EXPECT_EQ(a[i].key, b[i].key);
    EXPECT_EQ(a[i].down, b[i].down);
  }
  bool differs = a.size() != c.size();
  for (size_t i = 0; !differs && i < a.size(); ++i) differs = a[i].pass != c[i].pass || a[i].key != c[i].key;
  EXPECT_TRUE(differs);
  EXPECT_TRUE(generateSoakKeys(1, 0).empty());
  // One pass: Up goes down and up again in it.
  const auto one = generateSoakKeys(1, 1);
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[1].pass, 0);
  EXPECT_FALSE(one[1].down);
}

}  // namespace
