#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kelvaro-headless/run_options.h"

namespace {

bool parse(std::vector<const char *> args, RunOptions &options, std::string &error) {
  args.insert(args.begin(), "kelvaro-headless");
  return parseRunOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(HeadlessOptions, DefaultsAreThe640BuildWithWallClockAndSixHundredPasses) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(parse({}, o, error)) << error;
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_EQ(o.frames, 600);
  EXPECT_EQ(o.clockStep, 0);
  EXPECT_TRUE(o.keysFile.empty());
  EXPECT_TRUE(o.traceFile.empty());
  EXPECT_TRUE(o.shots.empty());
  EXPECT_FALSE(o.bench);
  EXPECT_STREQ(menuPlayBitmapFor(o.width), "x640ok.bmp");
  EXPECT_STREQ(menuQuitBitmapFor(o.width), "x640quit.bmp");
}

TEST(HeadlessOptions, EveryOptionInBothSpellingsAndGameArgumentsPassUntouched) {
  RunOptions o;
  std::string error;
  ASSERT_TRUE(
      parse({"--size", "320x240", "--keys=k.txt", "--frames", "50", "--clock-step=20", "--shot", "0:a.bmp",
             "--shot=49:dir/b:c.bmp", "--trace", "t.txt", "--bench", "--", "-nodirectdraw", "--frames", "--"},
            o, error))
      << error;
  EXPECT_EQ(o.width, 320);
  EXPECT_EQ(o.height, 240);
  EXPECT_STREQ(menuPlayBitmapFor(o.width), "x320ok.bmp");
  EXPECT_STREQ(menuQuitBitmapFor(o.width), "x320quit.bmp");
  EXPECT_EQ(o.keysFile, "k.txt");
  EXPECT_EQ(o.frames, 50);
  EXPECT_EQ(o.clockStep, 20);
  ASSERT_EQ(o.shots.size(), 2u);
  EXPECT_EQ(o.shots[0].pass, 0);
  EXPECT_EQ(o.shots[0].file, "a.bmp");
  EXPECT_EQ(o.shots[1].pass, 49);
  EXPECT_EQ(o.shots[1].file, "dir/b:c.bmp");  // only the first colon separates
  EXPECT_EQ(o.traceFile, "t.txt");
  EXPECT_TRUE(o.bench);
  EXPECT_EQ(o.gameArguments, (std::vector<std::string>{"-nodirectdraw", "--frames", "--"}));
}

TEST(HeadlessOptions, BadCommandLinesAreRefusedWithAReason) {
  const std::vector<std::vector<const char *>> bad = {
      {"--what"},
      {"-nodirectdraw"},  // game arguments only after "--"
      {"--size"},
      {"--size", "800x600"},
      {"--size", "640X480"},
      {"--keys", ""},
      {"--frames", "0"},
      {"--frames", "-5"},
      {"--frames", "10x"},
      {"--frames", ""},
      {"--frames", "99999999999999999999999"},
      {"--clock-step", "0"},
      {"--clock-step", "1.5"},
      {"--clock-step", "3000000000"},
      {"--shot", "5"},
      {"--shot", "5:"},
      {"--shot", ":a.bmp"},
      {"--shot", "-1:a.bmp"},
      {"--shot", "x:a.bmp"},
      {"--frames", "10", "--shot", "10:a.bmp"},  // never reached
      {"--shot", "600:a.bmp"},                   // beyond the default 600
      {"--trace"},
  };
  for (const auto &args : bad) {
    RunOptions o;
    std::string error;
    std::string shown;
    for (const char *a : args) shown += std::string(a) + " ";
    EXPECT_FALSE(parse(args, o, error)) << shown;
    EXPECT_FALSE(error.empty()) << shown;
  }
}

}  // namespace
