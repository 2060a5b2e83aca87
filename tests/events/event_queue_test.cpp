#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "framework/events/events.h"

namespace {

// A window system delivering a scripted list of messages.
std::deque<PlatformMessage> pending;
uint32_t heldKeys = 0;
int handledCount = 0;

bool nextMessage(PlatformMessage *out) {
  if (pending.empty()) return false;
  *out = pending.front();
  pending.pop_front();
  return true;
}
bool takeCharacter(PlatformMessage *out, bool system) {
  const auto wanted = system ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  if (pending.empty() || pending.front().type != wanted) return false;
  return nextMessage(out);
}
uint32_t keyState() {
  return heldKeys;
}
const PlatformMessageSource scripted{nextMessage, takeCharacter, keyState};

void post(PlatformMessageType type, int scan = 0, int character = 0) {
  PlatformMessage m;
  m.type = type;
  m.scanCode = scan;
  m.character = character;
  pending.push_back(m);
}
void keyDown(int scan, int character = 0, int repeatCount = 0) {
  post(PlatformMessageType::KeyDown, scan);
  pending.back().previouslyDown = repeatCount > 0;
  pending.back().repeatCount = repeatCount;
  if (character) post(PlatformMessageType::Char, 0, character);
}
void mouse(PlatformMessageType type, int x, int y, uint32_t state = 0) {
  post(type);
  pending.back().windowX = x;
  pending.back().windowY = y;
  pending.back().screenX = x + 1000;  // the window is not at the screen's origin
  pending.back().keyState = state;
  pending.back().time = 77;
}

class EventQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pending.clear();
    heldKeys = 0;
    handledCount = 0;
    setPlatformMessageSource(&scripted);
    setPlatformMessageHandler([](const PlatformMessage &) { ++handledCount; });
    setPointerScaling(0, 0, 0, 0);
    initEvents(nullptr);
  }
  void TearDown() override { setPlatformMessageSource(nullptr); }

  static std::vector<Event> drain(uint32_t mask = AllEvents) {
    std::vector<Event> out;
    Event e;
    while (getEvent(&e, mask)) out.push_back(e);
    return out;
  }
};

TEST_F(EventQueueTest, MasksLeaveOtherEventsQueuedInOrder) {
  Event e;
  e.what = 123;
  EXPECT_FALSE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, 0u);

  keyDown(30, 'a');
  mouse(PlatformMessageType::MouseMove, 5, 6);
  EXPECT_FALSE(getEvent(&e, KeyUp));
  EXPECT_EQ(e.what, 0u);
  mouse(PlatformMessageType::LeftButtonDown, 1, 1);
  post(PlatformMessageType::KeyUp, 30);
  ASSERT_TRUE(getEvent(&e, MouseDown));  // taken from the middle
  auto all = drain();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[1].what, MouseMove);
  EXPECT_EQ(all[2].what, KeyUp);
}

TEST_F(EventQueueTest, ConsecutiveMovesCollapseUntilFetched) {
  for (int i = 0; i < 10; ++i) mouse(PlatformMessageType::MouseMove, i, 100 + i);
  auto all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].whereX, 9);
  EXPECT_EQ(all[0].whereY, 109);
  EXPECT_EQ(all[0].when, 77u);

  // After a fetch, and after any other event, a move starts a new event.
  mouse(PlatformMessageType::MouseMove, 1, 1);
  keyDown(16);
  mouse(PlatformMessageType::MouseMove, 2, 2);
  mouse(PlatformMessageType::MouseMove, 3, 3);
  all = drain();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].whereX, 1);
  EXPECT_EQ(all[2].whereX, 3);
}

TEST_F(EventQueueTest, MouseButtonsPositionsAndModifiers) {
  mouse(PlatformMessageType::LeftButtonDown, 10, 20, PlatformButtonLeft | PlatformKeyShift);
  mouse(PlatformMessageType::RightButtonUp, 11, 21, PlatformKeyControl);
  mouse(PlatformMessageType::RightButtonDoubleClick, 12, 22, PlatformButtonRight);
  mouse(PlatformMessageType::MiddleButton, 0, 0);
  auto all = drain();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].what, MouseDown);
  EXPECT_EQ(all[0].message, 1u);
  EXPECT_EQ(all[0].modifiers, ModLeftButton | ModShift);
  EXPECT_EQ(all[0].whereX, 10);
  EXPECT_EQ(all[1].what, MouseUp);
  EXPECT_EQ(all[1].message, 4u);
  EXPECT_EQ(all[1].modifiers, ModControl);
  EXPECT_EQ(all[2].modifiers, ModDoubleClick | ModRightButton);
  EXPECT_EQ(handledCount, 4);  // the window procedure sees every message

  setPointerScaling(320, 1280, 240, 960);  // a 1280x960 window over 320x240
  mouse(PlatformMessageType::LeftButtonUp, 1279, 3);
  all = drain();
  EXPECT_EQ(all[0].whereX, 319);
  EXPECT_EQ(all[0].whereY, 0);
}

TEST_F(EventQueueTest, KeyCharactersRepeatsAndRelease) {
  heldKeys = PlatformKeyShift | PlatformKeyControl;
  keyDown(28, 13);
  keyDown(28, 13, 3);
  keyDown(28, 13, 0x12345);  // only 16 bits of the count fit
  post(PlatformMessageType::KeyUp, 28);
  keyDown(72);  // cursor keys produce no character
  post(PlatformMessageType::SysKeyDown, 56);
  pending.back().altContext = 1;
  post(PlatformMessageType::Char, 0, 'x');
  post(PlatformMessageType::SysChar, 0, 'y');
  auto all = drain();
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[0].message, 13u | 28u << 8);
  EXPECT_EQ(all[0].modifiers, ModShift | ModControl);
  EXPECT_EQ(all[1].what, KeyRepeat);
  EXPECT_EQ(all[1].message, 13u | 28u << 8 | 3u << 16);
  EXPECT_EQ(all[2].message >> 16, 0x2345u);
  EXPECT_EQ(all[3].what, KeyUp);
  EXPECT_EQ(all[3].message, all[0].message);
  EXPECT_EQ(all[4].message, 72u << 8);
  EXPECT_EQ(all[5].message, 'y' | 56u << 8);  // the system character wins
  EXPECT_EQ(all[5].modifiers, ModAlt | ModShift | ModControl);
  EXPECT_TRUE(isKeyDown(72));
  EXPECT_FALSE(isKeyDown(28));
  EXPECT_EQ(handledCount, 6);  // character messages went with their keys
}

TEST_F(EventQueueTest, FullQueueDropsEventsButKeepsKeyTable) {
  for (int i = 0; i < 100; ++i) keyDown(30, 'a', i);
  keyDown(31, 's');
  keyDown(0x1C8);  // only the low byte names the key
  Event e;
  ASSERT_FALSE(getEvent(&e, Timer));
  EXPECT_TRUE(isKeyDown(31));
  EXPECT_TRUE(isKeyDown(0xC8));
  post(PlatformMessageType::KeyUp, 31);
  post(PlatformMessageType::KeyUp, 30 + 256);
  ASSERT_FALSE(getEvent(&e, Timer));
  EXPECT_FALSE(isKeyDown(31));
  EXPECT_FALSE(isKeyDown(30));
  auto all = drain();
  ASSERT_EQ(all.size(), 100u);
  EXPECT_EQ(all[99].what, KeyRepeat);

  // Every slot came back to the free list.
  for (int i = 0; i < 120; ++i) mouse(PlatformMessageType::LeftButtonDown, i, 0);
  all = drain();
  ASSERT_EQ(all.size(), 100u);
  EXPECT_EQ(all[99].whereX, 99);
}

TEST_F(EventQueueTest, FlushAndInitEmptyTheQueue) {
  keyDown(30);
  mouse(PlatformMessageType::LeftButtonDown, 0, 0);
  flushEvents(KeyDown);
  auto all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].what, MouseDown);

  keyDown(44);
  mouse(PlatformMessageType::MouseMove, 0, 0);
  Event e;
  ASSERT_FALSE(getEvent(&e, Timer));
  initEvents(nullptr);
  EXPECT_FALSE(isKeyDown(44));
  setPlatformMessageSource(nullptr);  // without a source the queue is only read
  EXPECT_FALSE(getEvent(&e, AllEvents));
  setPlatformMessageSource(&scripted);
  mouse(PlatformMessageType::MouseMove, 5, 5);  // the old move slot is forgotten
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.whereX, 5);
}

TEST_F(EventQueueTest, WindowProcedureMayResetQueueOrDropSource) {
  // A mode switch inside the window procedure sets a new display up, which
  // empties the queue and may replace the back end while the pump runs.
  keyDown(30);
  post(PlatformMessageType::Command);
  keyDown(31);
  setPlatformMessageHandler([](const PlatformMessage &m) {
    if (m.type == PlatformMessageType::Command) initEvents(nullptr);
  });
  auto all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].message, 31u << 8);
  EXPECT_FALSE(isKeyDown(30));

  keyDown(32);
  post(PlatformMessageType::Command);
  keyDown(33);
  setPlatformMessageHandler([](const PlatformMessage &m) {
    if (m.type == PlatformMessageType::Command) setPlatformMessageSource(nullptr);
  });
  all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].message, 32u << 8);
  EXPECT_EQ(pending.size(), 1u);
}

}  // namespace
