#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/kelvaro-headless/key_script.h"

namespace {

std::vector<KeyChange> read(const std::string &text, bool &ok, std::string &error) {
  std::istringstream in(text);
  std::vector<KeyChange> changes;
  ok = readKeyScript(in, changes, error);
  return changes;
}

TEST(HeadlessKeyScript, ReadsEveryKeyIgnoresCommentsAndOrdersByPass) {
  bool ok = false;
  std::string error;
  const auto changes = read(
      "# start the game\n"
      "\n"
      "  10 +right\r\n"
      "3 +up\n"
      "\t   \n"
      "10 -up\n"
      "3 -down\n"
      "  # indented comment\n"
      "0 +Enter\n"
      "20\t+escape   \n"
      "11 +left\n"
      "0 -enter",  // no final line break
      ok, error);
  ASSERT_TRUE(ok) << error;
  struct Expected {
    long pass;
    int scan;
    int character;
    bool down;
  };
  // Stable within a pass: file order is kept.
  const Expected expected[] = {{0, 28, 13, true}, {0, 28, 13, false}, {3, 72, 0, true},  {3, 80, 0, false},
                               {10, 77, 0, true}, {10, 72, 0, false}, {11, 75, 0, true}, {20, 1, 27, true}};
  ASSERT_EQ(changes.size(), std::size(expected));
  for (size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(changes[i].pass, expected[i].pass) << i;
    EXPECT_EQ(changes[i].scanCode, expected[i].scan) << i;
    EXPECT_EQ(changes[i].character, expected[i].character) << i;
    EXPECT_EQ(changes[i].down, expected[i].down) << i;
  }
}

TEST(HeadlessKeyScript, ABadLineIsNamedByItsNumberAndNothingIsKept) {
  const char *badLines[] = {"5 +jump", "x +up", "5 up", "5 +",     "-1 +up", "5 +up extra",
                            "5 *up",   "+up",   "5",    "5.0 +up", "5 + up", "99999999999999999999999 +up"};
  for (const char *bad : badLines) {
    bool ok = true;
    std::string error;
    const auto changes = read("# header\n1 +up\n\n" + std::string(bad) + "\n2 -up\n", ok, error);
    EXPECT_FALSE(ok) << bad;
    EXPECT_TRUE(changes.empty()) << bad;
    EXPECT_EQ(error.rfind("4: ", 0), 0u) << bad << " -> " << error;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
  }
}

TEST(HeadlessKeyScript, ScheduleHandsOutEachPassOnceAndSkipsPassesGoneBy) {
  KeySchedule schedule(
      {{0, 72, 0, true}, {0, 77, 0, true}, {2, 72, 0, false}, {5, 1, 27, true}, {7, 1, 27, false}});
  EXPECT_EQ(schedule.take(0).size(), 2u);
  EXPECT_TRUE(schedule.take(0).empty());
  EXPECT_TRUE(schedule.take(1).empty());
  ASSERT_EQ(schedule.take(2).size(), 1u);
  // Asking for pass 6 first drops pass 5's change rather than playing it late.
  EXPECT_TRUE(schedule.take(6).empty());
  EXPECT_TRUE(schedule.take(5).empty());
  const auto last = schedule.take(7);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_FALSE(last[0].down);
  EXPECT_TRUE(schedule.take(8).empty());
}

}  // namespace
