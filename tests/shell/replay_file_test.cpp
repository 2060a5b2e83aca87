// Replays as files: what is written reads back as the same run, a plain key
// script is told apart, and a damaged or newer replay is never taken for a
// run on the wrong course or at the wrong pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shell/records/replay_file.h"

namespace {

const ReplayHeader header{"sprung", "0123456789abcdef", 320, 240, "1.0.0", 918};
const std::vector<ReplayKey> keys = {
    {0, 72, true}, {1, 72, false}, {1, 77, true}, {26, 28, true}, {40, 28, false}};

}  // namespace

TEST(ReplayFile, AWrittenRunReadsBackAsTheSameRun) {
  const std::string text = formatReplay(header, keys);
  EXPECT_EQ(text.substr(0, text.find("0 +up")),
            "# kelvaro-replay 1\n# course sprung\n# course-hash 0123456789abcdef\n# size 320x240\n"
            "# version 1.0.0\n# passes 918\n");
  ReplayHeader h;
  std::vector<ReplayKey> k;
  ASSERT_EQ(parseReplay(text, h, k), ReplayReading::Read);
  EXPECT_EQ(h.course, "sprung");
  EXPECT_EQ(h.courseHash, header.courseHash);
  EXPECT_EQ(h.width, 320);
  EXPECT_EQ(h.height, 240);
  EXPECT_EQ(h.passes, 918);
  ASSERT_EQ(k.size(), keys.size());
  for (size_t i = 0; i < k.size(); ++i) {
    EXPECT_EQ(k[i].pass, keys[i].pass);
    EXPECT_EQ(k[i].scanCode, keys[i].scanCode);
    EXPECT_EQ(k[i].down, keys[i].down);
  }
  // Windows line ends read alike.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(parseReplay(crlf, h, k), ReplayReading::Read);
}

TEST(ReplayFile, DamagedNewerAndPlainScriptsAreToldApart) {
  ReplayHeader h;
  std::vector<ReplayKey> k;
  EXPECT_EQ(parseReplay("0 +up\n1 -up\n", h, k), ReplayReading::NotReplay);
  EXPECT_EQ(parseReplay("# kelvaro-replay 2\n# course x\n", h, k), ReplayReading::Newer);

  const std::string good = formatReplay(header, keys);
  auto replaced = [&](const std::string &from, const std::string &to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::vector<std::string> damaged = {
      good.substr(0, good.find("# passes")),             // cut off in the header
      replaced("# course sprung", "# course ../x"),      // a path for a course
      replaced("0123456789abcdef", "0123456789ABCDEF"),  // not the hash's form
      replaced("# size 320x240", "# size 321x240"),      // no size of the game
      replaced("26 +enter", "26 +escape"),               // not a playing key
      replaced("40 -enter", "20 -enter"),                // passes going back
      replaced("40 -enter", "919 -enter"),               // beyond the run's end
      replaced("# kelvaro-replay 1", "# kelvaro-replay one"),
      replaced("# passes 918", "# passes 9999999999"),  // ten digits: beyond a 32-bit long
  };
  for (const std::string &text : damaged) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseReplay(text, h, k), ReplayReading::Damaged);
  }
}
