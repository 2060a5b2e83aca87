#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "graphics/rk_platform.h"
#include "sdl_stand_in.h"

namespace {

int switches = 0;
int lastWindowed = -1;
int onSwitch(const VideoMode &, int windowed) {
  ++switches;
  lastWindowed = windowed;
  return 0;
}

int suspendTrace = 0;
int onSuspend(DeviceContext *, int reason) {
  suspendTrace = suspendTrace * 10 + reason;
  return 1;
}

class SdlBackendTest : public SdlStandInTest {
 protected:
  void SetUp() override {
    switches = suspendTrace = 0;
    setModeSwitchFunc(onSwitch);
    setSuspendAppFunc(onSuspend);
    SdlStandInTest::SetUp();
    ASSERT_TRUE(findMode(&mode, 640, 480, 8));
  }
  bool fullScreen() { return SDL_GetWindowFlags(window()->window) & SDL_WINDOW_FULLSCREEN_DESKTOP; }

  void pushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    push(e);
  }
  void pushButton(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    push(e);
  }
  void altEnter() {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    flushEvents(AllEvents);
  }
  // Draws `index` at (x, y), shows the frame and reads the output back there.
  uint32_t showAndRead(int index, const PaletteEntry &colour, int x, int y) {
    PaletteEntry palette[256] = {};
    palette[index] = colour;
    setFrameworkPalette(palette, 256, 0);
    realizeFrameworkPalette(256, 0, 0);
    DeviceContext *d = RK_resolveContext(*drawSlot);
    d->surface[y * d->bytesPerLine + x] = static_cast<uint8_t>(index);
    swapBuffers(0);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(window()->renderer, &w, &h);
    const PictureArea p = fitPicture(w, h, 640, 480);
    const int scale = p.width / 640;
    uint32_t pixel = 0;
    const SDL_Rect at{p.x + x * scale, p.y + y * scale, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(window()->renderer, &at, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return pixel;
  }

  VideoMode mode{};
};

TEST_F(SdlBackendTest, ShowsPagesFullScreenAndInAWindowSwitchedByAltEnter) {
  const RK_Platform *p = RK_platform();
  int w = 0, h = 0, pages = 0;
  p->desktopSize(&w, &h);
  EXPECT_TRUE(p->servesMode(RK_FamilyDirectDraw, w, h, 32, &pages));
  EXPECT_EQ(pages, 2);
  EXPECT_FALSE(p->servesMode(RK_FamilyDIB, w + 1, h, 8, &pages));

  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  EXPECT_TRUE(fullScreen());
  EXPECT_STREQ(SDL_GetWindowTitle(window()->window), "Kelvaro");
  EXPECT_EQ(showAndRead(5, PaletteEntry{0, 0, 255, 0}, 10, 20), 0xFFFF0000u);
  EXPECT_EQ(showAndRead(6, PaletteEntry{0, 255, 0, 0}, 11, 20), 0xFF00FF00u);  // the other page

  altEnter();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_FALSE(fullScreen());
  SDL_GetWindowSize(window()->window, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(showAndRead(9, PaletteEntry{255, 0, 0, 0}, 4, 3), 0xFF0000FFu);

  altEnter();
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_TRUE(fullScreen());
}

TEST_F(SdlBackendTest, KeysAndButtonsReachTheQueue) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  swapBuffers(0);
  flushEvents(AllEvents);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyDown);
  EXPECT_EQ(e.message, 72u << 8);
  EXPECT_TRUE(isKeyDown(72));

  pushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE, true);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT);
  pushKey(SDL_KEYUP, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE);
  int w = 0, h = 0;
  SDL_GetWindowSize(window()->window, &w, &h);
  const PictureArea p = fitPicture(w, h, 640, 480);
  const int scale = p.width / 640;
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, p.x + 100 * scale, p.y + 50 * scale);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, p.x, p.y, 2);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 0, 0);

  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyRepeat);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, static_cast<uint32_t>('A') | 30u << 8);
  EXPECT_EQ(e.modifiers & ModShift, ModShift);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyUp);
  EXPECT_EQ(e.message, 72u << 8);
  EXPECT_FALSE(isKeyDown(72));
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, MouseDown);
  EXPECT_EQ(e.whereX, 100);  // picture pixels, not desktop pixels
  EXPECT_EQ(e.whereY, 50);
  EXPECT_EQ(e.modifiers, ModLeftButton);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, 4u);
  EXPECT_EQ(e.modifiers & ModDoubleClick, ModDoubleClick);
  EXPECT_FALSE(getEvent(&e, AllEvents));
}

TEST_F(SdlBackendTest, WindowRolesCloseSuspendMaximiseAndDisplayChange) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);  // ignored full screen
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  flushEvents(AllEvents);
  EXPECT_EQ(suspendTrace, 12);
  EXPECT_EQ(frameworkState().active, 1);

  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  suspendTrace = 0;
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);  // no suspension in a window
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  flushEvents(AllEvents);
  EXPECT_EQ(suspendTrace, 0);
  // The question could not be shown: not agreed to.
  EXPECT_EQ(frameworkState().quit, 0);
  EXPECT_NE(window(), nullptr);

  EXPECT_TRUE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_RESIZABLE);
  pushWindowEvent(SDL_WINDOWEVENT_DISPLAY_CHANGED);
  flushEvents(AllEvents);
  EXPECT_EQ(lastWindowed, 1);
  pushWindowEvent(SDL_WINDOWEVENT_MAXIMIZED);
  flushEvents(AllEvents);
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_EQ(switches, 2);
}

TEST_F(SdlBackendTest, ThousandSwitchesKeepOneWindowAndTheSameContexts) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  const int contexts = RK_liveContextCount();
  SDL_Window *sdlWindow = window()->window;
  for (int i = 0; i < 1000; ++i) altEnter();
  EXPECT_EQ(switches, 1000);
  EXPECT_EQ(RK_liveContextCount(), contexts);
  EXPECT_EQ(window()->window, sdlWindow);
  EXPECT_TRUE(fullScreen());
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN, SDLK_DOWN, KMOD_NONE);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, 80u << 8);
}

TEST(SdlDisplayDetection, StandInDriversCountOnlyWhenAskedFor) {
  EXPECT_TRUE(isRealVideoDriver("x11", nullptr));
  EXPECT_FALSE(isRealVideoDriver("offscreen", nullptr));
  EXPECT_FALSE(isRealVideoDriver("dummy", ""));
  EXPECT_FALSE(isRealVideoDriver("offscreen", "x11,wayland"));
  EXPECT_TRUE(isRealVideoDriver("offscreen", "x11,offscreen"));
  EXPECT_TRUE(isRealVideoDriver("dummy", "DUMMY"));
  EXPECT_FALSE(isRealVideoDriver("dummy", "dummy2"));
  EXPECT_FALSE(isRealVideoDriver(nullptr, "dummy"));
}

TEST(SdlDisplayDetectionDeathTest, NoDisplayWithoutAWindowSystem) {
  // A console SDL could take over is a display.
  if (access("/dev/dri", F_OK) == 0) GTEST_SKIP() << "a direct-rendering device is present";
  // A fresh process: video start-up happens once per process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        useSdlPlatform();
        const RK_Platform *p = RK_platform();
        int pages = 0;
        const bool none = !p->hasDisplay() && !p->servesMode(RK_FamilyDIB, 320, 200, 8, &pages) &&
                          p->createWindow("Kelvaro", false) == nullptr;
        std::exit(none ? 4 : 3);
      },
      ::testing::ExitedWithCode(4), "");
}

// The frame-rate line's clock counts microseconds on the back end's own
// clock: a wait of some milliseconds shows as at least that many thousands.
TEST_F(SdlBackendTest, TheFinerClockCountsMicrosecondsAlongsideTheTicks) {
  const RK_Platform *p = RK_platform();
  ASSERT_NE(p->microseconds, nullptr);
  const uint64_t before = RK_microseconds();
  p->sleep(3);
  const uint64_t after = RK_microseconds();
  EXPECT_GE(after - before, 3000u);
  EXPECT_NE(after % 1000u + before % 1000u, 0u) << "finer than whole milliseconds";
}

}  // namespace
