// The frame-rate line times one playing frame's drawing on the back end's
// finer clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "game/shell/game_frame.h"
#include "game/shell/game_state.h"
#include "game/shell/startup.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

class FrameRateLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(chdir(KELVARO_SHELL_DATA_DIR), 0);
    headlessReset();
    useHeadlessPlatform();
    resetGameState();
    const char *argv[] = {"kelvaro", nullptr};
    startKelvaro(1, argv, BuildConstants{640, 480, "x640ok.bmp", "x640quit.bmp"});
    game.menuMode = 0;
  }
};

TEST_F(FrameRateLine, ASteppedClockGivesTheStepsRateOnOddFramesOnly) {
  // Two readings per frame, 7 ms apart.
  headlessSetClockStep(7);
  drawFrame();
  EXPECT_STREQ(game.fpsText, "142.857143 fps\n");
  headlessSetClockStep(20);
  drawFrame();  // an even frame keeps the text
  EXPECT_STREQ(game.fpsText, "142.857143 fps\n");
  drawFrame();
  EXPECT_STREQ(game.fpsText, "50.000000 fps\n");
}

TEST_F(FrameRateLine, TheWallClockMeasuresAFastFrameAsAFiniteRate) {
  headlessSetClockStep(0);
  for (int i = 0; i < 9; ++i) {
    drawFrame();
    const std::string text = game.fpsText;
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    EXPECT_NE(text, "1000.000000 fps\n");
  }
  EXPECT_GT(std::strtod(game.fpsText, nullptr), 0.0);
}

}  // namespace
