#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "framework/framework.h"
#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sdl_platform.h"

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

class SdlBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // SDL's stand-in display, asked for by name; no message box can open.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  }
  void SetUp() override {
    useSdlPlatform();
    switches = 0;
    lastWindowed = -1;
    suspendTrace = 0;
    setModeSwitchFunc(onSwitch);
    setSuspendAppFunc(onSuspend);
    FrameworkState &s = frameworkState();
    s.options = DriverOptions{1, 1, 1, 1, 1, 1, 1, 1, 0, 0x0F};
    s.driversRegistered = false;
    drawSlot = initFramework("Kelvaro");
    ASSERT_TRUE(findMode(&mode, 640, 480, 8));
  }
  void TearDown() override {
    shutdownFramework();
    setModeSwitchFunc(nullptr);
    setSuspendAppFunc(nullptr);
  }
  SdlWindow *window() { return liveWindow(frameworkState().window); }
  Uint32 windowId() { return SDL_GetWindowID(window()->window); }

  void pushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.windowID = windowId();
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void pushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = windowId();
    e.window.event = event;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void pushButton(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = windowId();
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void altEnter() {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
    flushEvents(AllEvents);
  }
  // The colour the output shows at a point, read back from the renderer.
  uint32_t shownAt(int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect r{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(window()->renderer, &r, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return pixel;
  }

  DeviceContext **drawSlot = nullptr;
  VideoMode mode{};
};

TEST_F(SdlBackendTest, ServesTheDesktopsModesWithTwoPages) {
  const RK_Platform *p = RK_platform();
  ASSERT_TRUE(p->hasDisplay());
  int w = 0, h = 0;
  p->desktopSize(&w, &h);
  EXPECT_GT(w, 0);
  int pages = 0;
  EXPECT_TRUE(p->servesMode(RK_FamilyDIB, 640, 480, 8, &pages));
  EXPECT_EQ(pages, 2);
  EXPECT_TRUE(p->servesMode(RK_FamilyDirectDraw, w, h, 32, &pages));
  EXPECT_FALSE(p->servesMode(RK_FamilyDIB, w + 1, h, 8, &pages));
  EXPECT_FALSE(p->servesMode(RK_FamilyDIB, 640, 480, 4, &pages));
  EXPECT_FALSE(p->servesMode(1, 640, 480, 8, &pages));
  EXPECT_EQ(mode.pages, 2);
}

TEST_F(SdlBackendTest, FullScreenShowsPagesScaledAndCentredThroughThePalette) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  ASSERT_NE(window(), nullptr);
  EXPECT_TRUE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  EXPECT_STREQ(SDL_GetWindowTitle(window()->window), "Kelvaro");

  PaletteEntry palette[256] = {};
  palette[5] = PaletteEntry{0, 0, 255, 0};  // red
  setFrameworkPalette(palette, 256, 0);
  realizeFrameworkPalette(256, 0, 0);
  DeviceContext *d = RK_resolveContext(*drawSlot);
  d->surface[20 * d->bytesPerLine + 10] = 5;
  swapBuffers(0);
  swapBuffers(0);  // both pages go through the same path

  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(window()->renderer, &outW, &outH);
  const PicturePlacement p = placePicture(outW, outH, 640, 480);
  const int scale = p.width / 640;
  ASSERT_GE(scale, 1);
  EXPECT_EQ(shownAt(p.x + 10 * scale, p.y + 20 * scale), 0xFFFF0000u);
  EXPECT_EQ(shownAt(p.x + 11 * scale, p.y + 20 * scale), 0xFF000000u);
  if (p.x > 0) {
    EXPECT_EQ(shownAt(p.x - 1, p.y), 0xFF000000u);  // the bar
  }
}

TEST_F(SdlBackendTest, AltEnterSwitchesToAWindowAndBack) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  altEnter();
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 1);
  EXPECT_FALSE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  EXPECT_TRUE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_SHOWN);
  int w = 0, h = 0;
  SDL_GetWindowSize(window()->window, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_TRUE(RK_isWindowedContext(frameworkState().displayDC));

  // A windowed frame reaches the window unscaled.
  PaletteEntry palette[256] = {};
  palette[9] = PaletteEntry{255, 0, 0, 0};  // blue
  setFrameworkPalette(palette, 256, 0);
  realizeFrameworkPalette(256, 0, 0);
  DeviceContext *d = RK_resolveContext(*drawSlot);
  d->surface[3 * d->bytesPerLine + 4] = 9;
  swapBuffers(2);
  EXPECT_EQ(shownAt(4, 3), 0xFF0000FFu);

  altEnter();
  EXPECT_EQ(switches, 2);
  EXPECT_EQ(lastWindowed, 0);
  EXPECT_TRUE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

TEST_F(SdlBackendTest, KeysArriveWithScanCodesCharactersAndRepeats) {
  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  flushEvents(AllEvents);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyDown);
  EXPECT_EQ(e.message, 72u << 8);
  EXPECT_TRUE(isKeyDown(72));
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE, true);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT);
  pushKey(SDL_KEYUP, SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyRepeat);
  EXPECT_EQ(e.message & 0xFFFF, 72u << 8);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, 27u | 1u << 8);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, static_cast<uint32_t>('A') | 30u << 8);
  EXPECT_EQ(e.modifiers & ModShift, ModShift);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, KeyUp);
  EXPECT_EQ(e.message, 72u << 8);
  EXPECT_FALSE(isKeyDown(72));
  EXPECT_FALSE(getEvent(&e, AllEvents));
}

TEST_F(SdlBackendTest, MouseButtonsArriveInPictureCoordinates) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  swapBuffers(0);
  flushEvents(AllEvents);
  int w = 0, h = 0;
  SDL_GetWindowSize(window()->window, &w, &h);
  const PicturePlacement p = placePicture(w, h, 640, 480);
  const int scale = p.width / 640;
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, p.x + 100 * scale, p.y + 50 * scale);
  pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, p.x + 100 * scale, p.y + 50 * scale);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, p.x, p.y, 2);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 0, 0);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, MouseDown);
  EXPECT_EQ(e.message, 1u);
  EXPECT_EQ(e.whereX, 100);
  EXPECT_EQ(e.whereY, 50);
  EXPECT_EQ(e.modifiers & ModLeftButton, ModLeftButton);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, MouseUp);
  EXPECT_EQ(e.modifiers & ModLeftButton, 0u);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, 4u);
  EXPECT_EQ(e.modifiers & ModDoubleClick, ModDoubleClick);
  EXPECT_FALSE(getEvent(&e, AllEvents));
}

TEST_F(SdlBackendTest, CloseIsAskedInAWindowAndNeverAgreedToUnseen) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  flushEvents(AllEvents);
  EXPECT_EQ(frameworkState().quit, 0);
  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  flushEvents(AllEvents);
  // No message box can open on the stand-in display: the answer is No.
  EXPECT_EQ(frameworkState().quit, 0);
  EXPECT_NE(window(), nullptr);
}

TEST_F(SdlBackendTest, SwitchingAwayFromFullScreenSuspendsUntilBack) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  flushEvents(AllEvents);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  flushEvents(AllEvents);
  EXPECT_EQ(suspendTrace, 12);
  EXPECT_EQ(frameworkState().active, 1);

  // In a window nothing is suspended.
  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  suspendTrace = 0;
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  flushEvents(AllEvents);
  EXPECT_EQ(suspendTrace, 0);
  EXPECT_EQ(frameworkState().activeState, 0);
}

TEST_F(SdlBackendTest, MaximiseAndDisplayChangesReachTheFramework) {
  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  EXPECT_TRUE(SDL_GetWindowFlags(window()->window) & SDL_WINDOW_RESIZABLE);
  pushWindowEvent(SDL_WINDOWEVENT_MAXIMIZED);
  flushEvents(AllEvents);
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(lastWindowed, 0);

  ASSERT_TRUE(setMode(mode, 1, 2, 1));
  pushWindowEvent(SDL_WINDOWEVENT_DISPLAY_CHANGED);
  flushEvents(AllEvents);
  EXPECT_EQ(switches, 2);
  EXPECT_EQ(lastWindowed, 1);
}

TEST_F(SdlBackendTest, ThousandSwitchesKeepOneWindowAndTheSameContexts) {
  ASSERT_TRUE(setMode(mode, 0, 2, 1));
  const int contexts = RK_liveContextCount();
  SDL_Window *sdlWindow = window()->window;
  for (int i = 0; i < 1000; ++i) altEnter();
  EXPECT_EQ(switches, 1000);
  EXPECT_EQ(RK_liveContextCount(), contexts);
  EXPECT_EQ(window()->window, sdlWindow);
  EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN, SDLK_DOWN, KMOD_NONE);
  Event e{};
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.message, 80u << 8);
}

TEST(SdlDisplayDetection, StandInDriversCountOnlyWhenAskedFor) {
  EXPECT_TRUE(isRealVideoDriver("x11", nullptr));
  EXPECT_TRUE(isRealVideoDriver("wayland", "dummy"));
  EXPECT_FALSE(isRealVideoDriver("offscreen", nullptr));
  EXPECT_FALSE(isRealVideoDriver("dummy", ""));
  EXPECT_FALSE(isRealVideoDriver("offscreen", "x11,wayland"));
  EXPECT_TRUE(isRealVideoDriver("offscreen", "x11,offscreen"));
  EXPECT_TRUE(isRealVideoDriver("dummy", "DUMMY"));
  EXPECT_FALSE(isRealVideoDriver("dummy", "dummy2"));
  EXPECT_FALSE(isRealVideoDriver(nullptr, "dummy"));
}

TEST(SdlDisplayDetectionDeathTest, NoDisplayWithoutAWindowSystem) {
  // A machine whose console SDL could take over does have a display.
  if (access("/dev/dri", F_OK) == 0) GTEST_SKIP() << "a direct-rendering device is present";
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

}  // namespace
