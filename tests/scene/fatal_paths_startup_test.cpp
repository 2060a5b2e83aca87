// Library failures while the game starts, each in a child process: the
// library's report "RK Fatal Error!: ..." on standard error and exit status
// 1, before any frame is drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include "fatal_paths_support.h"
#include "game/shell/startup.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

using namespace fatal_paths;

const BuildConstants Build640{640, 480, "x640ok.bmp", "x640quit.bmp"};
const BuildConstants Build320{320, 240, "x320ok.bmp", "x320quit.bmp"};

// Starts the game in `folder` on a headless display that `prepare` has set
// up; returns only if the game's main loop ends.
template <typename Prepare>
void startIn(const GameFolder &folder, const BuildConstants &build, Prepare prepare) {
  if (chdir(folder.path().c_str()) != 0) std::exit(126);
  headlessReset();
  prepare();
  useHeadlessPlatform();
  const char *argv[] = {"kelvaro", nullptr};
  runKelvaro(1, argv, build);
  std::exit(0);
}

using FatalPathsStartupDeathTest = ::testing::Test;

TEST_F(FatalPathsStartupDeathTest, DisplayAndModeFailuresEndWithTheLibraryReport) {
  GameFolder folder;
  EXPECT_EXIT(startIn(folder, Build640, [] { headlessSetDisplay(false); }), ::testing::ExitedWithCode(1),
              "RK Fatal Error!: Keine Anzeige verfügbar");
  EXPECT_EXIT(startIn(folder, Build640, [] { headlessRemoveMode(640, 480, 8); }),
              ::testing::ExitedWithCode(1),
              "RK Fatal Error!: Kein Grafikmodus 640x480 mit 256 Farben verfügbar");
  EXPECT_EXIT(startIn(folder, Build320, [] { headlessSetModes({}); }), ::testing::ExitedWithCode(1),
              "RK Fatal Error!: Kein Grafikmodus 320x240");
  // The mode is listed but cannot be entered.
  EXPECT_EXIT(startIn(folder, Build640, [] { headlessFailOutput(true); }), ::testing::ExitedWithCode(1),
              "RK Fatal Error!: ");
}

TEST_F(FatalPathsStartupDeathTest, TheSmallBuildNamesItsOwnMenuPictures) {
  GameFolder folder;
  folder.remove("x320quit.bmp");
  EXPECT_EXIT(startIn(folder, Build320, [] {}), ::testing::ExitedWithCode(1),
              "RK Fatal Error!: .*x320quit.bmp");
  // The large build does not need it.
  EXPECT_EXIT(startIn(folder, Build640, [] { headlessSetDisplay(false); }), ::testing::ExitedWithCode(1),
              "Keine Anzeige");
}

TEST_F(FatalPathsStartupDeathTest, ACourseFaultEndsBeforeTheDisplayIsTouched) {
  GameFolder folder;
  folder.replace("inp1.txt", "k:\n0:0,0,0;\n");
  // Even without a display the course's message comes first, with status 255.
  EXPECT_EXIT(startIn(folder, Build640, [] { headlessSetDisplay(false); }), ::testing::ExitedWithCode(255),
              "Wichtige Mitteilung \\(Kelvaro\\): Zuwenige Kameras in Szenenbeschreibung");
}

}  // namespace
