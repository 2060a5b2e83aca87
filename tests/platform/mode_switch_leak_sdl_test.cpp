// A thousand Alt+Enter switches on SDL's stand-in display: the live device
// contexts, the back end's windows and the bytes allocated come back to
// where they were after the first few switches.
#include <gtest/gtest.h>

#include "common/allocated_bytes.h"
#include "graphics/rasterkit.h"
#include "sdl_stand_in.h"

namespace {

int switches = 0;
int countSwitch(const VideoMode &, int) {
  ++switches;
  return 0;
}

class SdlModeSwitchLeakTest : public SdlStandInTest {
 protected:
  void SetUp() override {
    switches = 0;
    setModeSwitchFunc(countSwitch);
    SdlStandInTest::SetUp();
  }
  void altEnter() {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    flushEvents(AllEvents);
  }
};

TEST_F(SdlModeSwitchLeakTest, AThousandSwitchesGiveBackEverything) {
  VideoMode mode{};
  ASSERT_TRUE(findMode(&mode, 640, 480, 8));
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  // The first switches and swaps grow what is kept for good (queues,
  // scratch areas, the back end's own tables).
  for (int i = 0; i < 10; ++i) {
    altEnter();
    swapBuffers(0);
  }
  ASSERT_EQ(switches, 10);
  const int contexts = RK_liveContextCount();
  const size_t bytes = allocatedBytes();
  for (int i = 0; i < 1000; ++i) {
    altEnter();
    swapBuffers(0);
  }
  EXPECT_EQ(switches, 1010);
  EXPECT_EQ(frameworkState().fullScreen, 1);
  EXPECT_EQ(RK_liveContextCount(), contexts);
  EXPECT_EQ(allocatedBytes(), bytes);
}

}  // namespace
