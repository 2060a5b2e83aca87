// The browser back end's portable core: key translation, the message queue
// as the event pump reads it, picture conversion and the 60 Hz pace.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/events/events.h"
#include "graphics/rk_platform.h"
#include "platform/common/ring_messages.h"
#include "platform/web/core/web_keys.h"
#include "platform/web/core/web_picture.h"
#include "platform/web/core/web_queue.h"

namespace {

TEST(WebKeys, KeyCodesBecomePcScanCodes) {
  const struct {
    const char *code;
    int scan;
  } keys[] = {{"ArrowUp", 72},   {"ArrowDown", 80},  {"ArrowLeft", 75}, {"ArrowRight", 77},
              {"Numpad8", 72},   {"Numpad2", 80},    {"Numpad4", 75},   {"Numpad6", 77},
              {"Enter", 28},     {"NumpadEnter", 28}, {"Escape", 1},     {"KeyQ", 16},
              {"KeyA", 30},      {"KeyZ", 44},       {"KeyM", 50},      {"Digit1", 2},
              {"Digit0", 11},    {"Space", 57},      {"F10", 68},       {"F12", 88},
              {"AudioVolumeUp", 0}, {"", 0}};
  for (const auto &k : keys) EXPECT_EQ(scanCodeForKeyCode(k.code), k.scan) << k.code;
  EXPECT_EQ(scanCodeForKeyCode(nullptr), 0);
}

TEST(WebKeys, KeyValuesBecomeCharacters) {
  EXPECT_EQ(characterForKey("Escape", false), 27);
  EXPECT_EQ(characterForKey("Enter", false), 13);
  EXPECT_EQ(characterForKey("a", false), 'a');
  EXPECT_EQ(characterForKey("A", false), 'A');
  EXPECT_EQ(characterForKey("7", false), '7');
  EXPECT_EQ(characterForKey("c", true), 3);
  EXPECT_EQ(characterForKey("7", true), 0);
  // Cursor keys, modifiers and text beyond ASCII give none.
  EXPECT_EQ(characterForKey("ArrowUp", false), 0);
  EXPECT_EQ(characterForKey("Shift", false), 0);
  EXPECT_EQ(characterForKey("\xc3\xa4", false), 0);
  EXPECT_EQ(characterForKey(nullptr, false), 0);
}

TEST(WebKeys, GameKeysAreKeptFromTheBrowserButItsShortcutsAreNot) {
  for (const char *code : {"ArrowUp", "ArrowDown", "Space", "Enter", "Escape", "KeyW", "Numpad8", "Tab"})
    EXPECT_TRUE(gameTakesKey(code, false, false)) << code;
  EXPECT_FALSE(gameTakesKey("KeyR", true, false));  // reload
  EXPECT_FALSE(gameTakesKey("KeyW", false, true));
  EXPECT_FALSE(gameTakesKey("F5", false, false));
  EXPECT_FALSE(gameTakesKey("F12", false, false));
  EXPECT_FALSE(gameTakesKey("AudioVolumeUp", false, false));
}

class WebQueue : public ::testing::Test {
 protected:
  void SetUp() override { platformMessageRing().clear(); }
  void TearDown() override { platformMessageRing().clear(); }

  static WebKeyEvent key(const char *code, const char *value, bool down = true) {
    WebKeyEvent e;
    e.code = code;
    e.key = value;
    e.down = down;
    return e;
  }

  static std::vector<PlatformMessage> drain() {
    std::vector<PlatformMessage> out;
    PlatformMessage m;
    while (platformMessageRing().take(&m)) out.push_back(m);
    return out;
  }

  int window = 0;
};

TEST_F(WebQueue, KeyEventsBecomeWindowSystemMessages) {
  WebKeyEvent escape = key("Escape", "Escape");
  escape.time = 1234;
  ASSERT_TRUE(queueKeyEvent(escape, &window));
  WebKeyEvent held = key("ArrowUp", "ArrowUp");
  held.repeat = true;
  held.shift = true;
  ASSERT_TRUE(queueKeyEvent(held, &window));
  ASSERT_TRUE(queueKeyEvent(key("ArrowUp", "ArrowUp", false), &window));
  ASSERT_TRUE(queueKeyEvent(key("AudioVolumeUp", "AudioVolumeUp"), &window));  // no PC key

  const std::vector<PlatformMessage> m = drain();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].type, PlatformMessageType::KeyDown);
  EXPECT_EQ(m[0].scanCode, 1);
  EXPECT_EQ(m[0].time, 1234u);
  EXPECT_EQ(m[0].window, &window);
  EXPECT_EQ(m[0].previouslyDown, 0);
  EXPECT_EQ(m[1].type, PlatformMessageType::Char);
  EXPECT_EQ(m[1].character, 27);
  EXPECT_EQ(m[2].type, PlatformMessageType::KeyDown);
  EXPECT_EQ(m[2].previouslyDown, 1);
  EXPECT_EQ(m[2].keyState, PlatformKeyShift);
  EXPECT_EQ(m[2].character, 0);
  EXPECT_EQ(m[3].type, PlatformMessageType::KeyUp);
  EXPECT_EQ(m[3].scanCode, 72);
  EXPECT_EQ(m[3].previouslyDown, 1);
  EXPECT_EQ(platformMessageRing().keyState(), 0u);  // as at the release, the message handed out last
}

TEST_F(WebQueue, AltEnterIsASystemKeyWithTheAltContext) {
  WebKeyEvent e = key("Enter", "Enter");
  e.alt = true;
  ASSERT_TRUE(queueKeyEvent(e, &window));
  const std::vector<PlatformMessage> m = drain();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].type, PlatformMessageType::SysKeyDown);
  EXPECT_EQ(m[0].scanCode, 28);
  EXPECT_EQ(m[0].altContext, 1);
  EXPECT_EQ(m[1].type, PlatformMessageType::SysChar);
  EXPECT_EQ(m[1].character, 13);
}

TEST_F(WebQueue, TheEventPumpSeesScanCodesAndCharactersInItsKeyEvents) {
  static RK_Platform table{};
  serveMessagesFromRing(table, nullptr, nullptr);
  setPlatformMessageSource(&table.messages);
  initEvents(&window);
  queueKeyEvent(key("ArrowRight", "ArrowRight"), &window);
  queueKeyEvent(key("Escape", "Escape"), &window);
  Event e{};
  ASSERT_TRUE(getEvent(&e, KeyDown));
  EXPECT_EQ(e.message & 0xFFFF, 77u << 8);
  EXPECT_TRUE(isKeyDown(77));
  ASSERT_TRUE(getEvent(&e, KeyDown));
  EXPECT_EQ(e.message & 0xFFFF, 1u << 8 | 27u);
  queueKeyEvent(key("ArrowRight", "ArrowRight", false), &window);
  ASSERT_TRUE(getEvent(&e, KeyUp));
  EXPECT_FALSE(isKeyDown(77));
  setPlatformMessageSource(nullptr);
}

TEST_F(WebQueue, ActivationIsQueuedInOrderAndWindowsTakeTheirMessagesAlong) {
  int other = 0;
  queueKeyEvent(key("KeyB", "b"), &other);
  queueActivation(&window, false, 5);
  queueKeyEvent(key("KeyC", "c"), &other);
  platformMessageRing().dropWindow(&other);
  const std::vector<PlatformMessage> left = drain();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].type, PlatformMessageType::ActivationChanged);
  EXPECT_EQ(left[0].window, &window);
  EXPECT_EQ(left[0].time, 5u);
  EXPECT_EQ(left[0].activeState, 0);
}

TEST_F(WebQueue, AFullQueueRefusesWholeKeyPressesAndKeepsWhatItHolds) {
  int accepted = 0;
  while (queueKeyEvent(key("KeyA", "a"), &window)) ++accepted;
  EXPECT_EQ(accepted, 128);  // two messages each
  PlatformMessage posted;
  posted.type = PlatformMessageType::Command;
  EXPECT_FALSE(platformMessageRing().push(posted));
  const std::vector<PlatformMessage> m = drain();
  ASSERT_EQ(m.size(), 256u);
  EXPECT_EQ(m.front().type, PlatformMessageType::KeyDown);
  EXPECT_EQ(m.back().type, PlatformMessageType::Char);
}

TEST(WebPicture, PalettedPixelsBecomeOpaqueRgbaRows) {
  PaletteEntry palette[256] = {};
  palette[1].red = 10;
  palette[1].green = 20;
  palette[1].blue = 30;
  palette[1].reserved = 99;
  palette[255].red = 255;
  palette[255].green = 128;
  palette[255].blue = 1;
  // Two rows of three pixels, four bytes apart; the padding is not shown.
  const uint8_t pixels[] = {1, 255, 0, 77, 255, 1, 1, 77};
  uint8_t out[2 * 3 * 4];
  std::memset(out, 0xEE, sizeof out);
  ASSERT_TRUE(convertToRgba(pixels, 3, 2, 4, palette, out));
  const uint8_t expected[] = {10, 20, 30, 255, 255, 128, 1, 255, 0, 0, 0, 255,
                              255, 128, 1, 255, 10, 20, 30, 255, 10, 20, 30, 255};
  EXPECT_EQ(std::memcmp(out, expected, sizeof out), 0);

  std::memset(out, 0xEE, sizeof out);
  EXPECT_FALSE(convertToRgba(pixels, 3, 2, 2, palette, out));  // rows shorter than the width
  EXPECT_FALSE(convertToRgba(nullptr, 3, 2, 4, palette, out));
  EXPECT_FALSE(convertToRgba(pixels, 0, 2, 4, palette, out));
  EXPECT_EQ(out[0], 0xEE);
}

}  // namespace
