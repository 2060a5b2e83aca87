// The game driven through the kelvaro-headless program: menu, palettes, the
// ways the game ends and how the tool reports bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "headless_child.h"

namespace {

using namespace headless_test;

class HeadlessGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(program())) << "missing " << program();
    ASSERT_TRUE(fileExists(dataDir() + "/inp1.txt")) << "missing game data in " << dataDir();
    scratch_ = scratchDir();
    ASSERT_FALSE(scratch_.empty());
  }

  // What a failed test leaves behind is kept for a look.
  void TearDown() override {
    if (!scratch_.empty() && !HasFailure()) std::filesystem::remove_all(scratch_);
  }

  std::string path(const std::string &name) const { return scratch_ + "/" + name; }

  // Writes `script` as a key script and runs the program with it and `args`
  // in the game's data directory.
  ChildResult play(const std::string &script, std::vector<std::string> args) {
    writeFile(path("keys.txt"), script);
    args.insert(args.begin(),
                {"--keys", path("keys.txt"), "--clock-step", "10", "--trace", path("trace.txt")});
    return runHeadless(args, dataDir(), scratch_);
  }

  std::vector<std::string> trace() const { return lines(readFile(path("trace.txt"))); }

  std::string scratch_;
};

// The first field of every trace line is its pass, from 0 without gaps.
void expectPasses(const std::vector<std::string> &trace, long count) {
  ASSERT_EQ(static_cast<long>(trace.size()), count);
  for (long i = 0; i < count; ++i) EXPECT_EQ(trace[i].rfind(std::to_string(i) + " ", 0), 0u) << trace[i];
}

std::string field(const std::string &traceLine, int index) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (start <= traceLine.size()) {
    const size_t space = traceLine.find(' ', start);
    fields.push_back(traceLine.substr(start, space == std::string::npos ? std::string::npos : space - start));
    if (space == std::string::npos) break;
    start = space + 1;
  }
  return index < static_cast<int>(fields.size()) ? fields[index] : "";
}

TEST_F(HeadlessGame, StartsInTheMenuShowingTheQuitPictureInTheMenuPalette) {
  struct Size {
    const char *option;
    const char *quitPicture;
    int width, height;
  };
  for (const Size &size :
       {Size{"640x480", "x640quit.bmp", 640, 480}, Size{"320x240", "x320quit.bmp", 320, 240}}) {
    SCOPED_TRACE(size.option);
    const ChildResult r =
        play("", {"--size", size.option, "--frames", "2", "--shot", "1:" + path("menu.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Picture8 shot = readPicture8(path("menu.bmp"));
    ASSERT_TRUE(shot.ok);
    EXPECT_EQ(shot.width, size.width);
    EXPECT_EQ(shot.height, size.height);
    ASSERT_EQ(shot.colours.size(), 256u);
    EXPECT_EQ(shot.colours[1], 0x080000u);
    EXPECT_EQ(shot.colours[23], 0x1010F7u);

    // The menu frame is the quit picture as its file holds it.
    const Picture8 quit = readPicture8(dataDir() + "/" + size.quitPicture);
    ASSERT_TRUE(quit.ok) << size.quitPicture;
    if (quit.width == shot.width && quit.height == shot.height) {
      EXPECT_EQ(quit.pixels, shot.pixels);
    }

    const auto t = trace();
    expectPasses(t, 2);
    EXPECT_EQ(field(t[1], 1), "1");  // menuMode
    EXPECT_EQ(field(t[1], 2), "3");  // lives
  }
}

TEST_F(HeadlessGame, UpThenRightStartsPlayInThePlayingPaletteAndEscapeEndsWithZero) {
  const ChildResult r =
      play("0 +up\n1 +right\n3 -right\n3 -up\n6 +escape\n",
           {"--frames", "100", "--shot", "0:" + path("menu.bmp"), "--shot", "1:" + path("play.bmp")});
  ASSERT_EQ(r.status, 0) << r.err;
  const Picture8 menu = readPicture8(path("menu.bmp"));
  const Picture8 play = readPicture8(path("play.bmp"));
  ASSERT_TRUE(menu.ok && play.ok);
  EXPECT_EQ(menu.colours[1], 0x080000u);
  EXPECT_EQ(play.colours[1], 0x000008u);
  EXPECT_EQ(play.colours[85], 0xFF0000u);
  EXPECT_NE(menu.pixels, play.pixels);

  // Escape ends the loop after the pass that saw it, which still completes.
  const auto t = trace();
  expectPasses(t, 7);
  EXPECT_EQ(field(t[0], 1), "1");
  EXPECT_EQ(field(t[1], 1), "0");
  EXPECT_EQ(field(t[6], 1), "0");
  // Right still held in the first playing pass turns the ball by -0.2,
  // wrapped; the pass that started play did not steer.
  EXPECT_EQ(std::stod(field(t[1], 7)), 0.0);
  EXPECT_EQ(std::stod(field(t[2], 7)), 6.283185308 - 0.2);
}

TEST_F(HeadlessGame, EscapeInTheMenuAndTheQuitItemEndWithZero) {
  ChildResult r = play("3 +escape\n", {});
  EXPECT_EQ(r.status, 0) << r.err;
  expectPasses(trace(), 4);

  // The quit item ends the process inside pass 2's key polling: the passes
  // before it are all on record.
  r = play("0 +up\n1 -up\n1 +down\n2 +right\n", {"--frames", "50"});
  EXPECT_EQ(r.status, 0) << r.err;
  expectPasses(trace(), 2);
}

TEST_F(HeadlessGame, TheEndOfFramesEndsLikeEscapeAndBenchCountsThePasses) {
  const ChildResult r = play("0 +up\n1 +right\n2 -right\n", {"--frames", "25", "--bench"});
  ASSERT_EQ(r.status, 0) << r.err;
  expectPasses(trace(), 25);
  int frames = 0;
  double seconds = -1, fps = -1;
  ASSERT_EQ(std::sscanf(r.out.c_str(), "frames %d seconds %lf fps %lf", &frames, &seconds, &fps), 3) << r.out;
  EXPECT_EQ(frames, 25);
  EXPECT_GT(seconds, 0.0);
  EXPECT_GT(fps, 0.0);
}

TEST_F(HeadlessGame, BadInputIsRefusedWithStatusTwoBeforeTheGameStarts) {
  ChildResult r = play("0 +up\n# fine\n3 +jump\n", {});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("keys.txt:3:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("3 +jump"), std::string::npos) << r.err;

  r = runHeadless({"--size", "800x600"}, dataDir(), scratch_);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("usage: kelvaro-headless"), std::string::npos) << r.err;

  r = runHeadless({"--keys", path("no-such-script.txt")}, dataDir(), scratch_);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no-such-script.txt"), std::string::npos) << r.err;

  r = runHeadless({"--trace", scratch_ + "/missing/trace.txt"}, dataDir(), scratch_);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing/trace.txt"), std::string::npos) << r.err;
}

TEST_F(HeadlessGame, AScreenshotThatCannotBeWrittenFailsTheRun) {
  const ChildResult r = play("", {"--frames", "5", "--shot", "2:" + scratch_ + "/missing/shot.bmp"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing/shot.bmp"), std::string::npos) << r.err;
  expectPasses(trace(), 2);  // shots come before the pass's trace line
}

TEST_F(HeadlessGame, WithoutTheCourseTheGameEndsWithItsOwnMessage) {
  // Run where there is no data: the game's loader reports the missing
  // course; the tool must not look elsewhere for it.
  const ChildResult r = runHeadless({"--frames", "3"}, scratch_, scratch_);
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.err.find("Wichtige Mitteilung (Kelvaro)"), std::string::npos) << r.err;
}

TEST_F(HeadlessGame, TheBundledCourseCanBeWon) {
  const std::string script = sourceDir() + "/assets/scripts/win.keys";
  if (!fileExists(script)) GTEST_SKIP() << "no winning key script yet: " << script;
  const ChildResult r =
      runHeadless({"--keys", script, "--clock-step", "10", "--frames", "3000"}, dataDir(), scratch_);
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.err.find("Sie haben gewonnen"), std::string::npos) << r.err;
}

}  // namespace
