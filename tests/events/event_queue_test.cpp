#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "framework/events/events.h"
#include "framework/events/platform_message.h"

namespace {

// A window system that delivers a scripted list of messages.
std::deque<PlatformMessage> pending;
uint32_t heldKeys = 0;
std::vector<PlatformMessageType> handled;

bool nextMessage(PlatformMessage *out) {
  if (pending.empty()) return false;
  *out = pending.front();
  pending.pop_front();
  return true;
}

bool takeCharacter(PlatformMessage *out, bool system) {
  const auto wanted = system ? PlatformMessageType::SysChar : PlatformMessageType::Char;
  if (pending.empty() || pending.front().type != wanted) return false;
  *out = pending.front();
  pending.pop_front();
  return true;
}

uint32_t keyState() {
  return heldKeys;
}

void recordHandled(const PlatformMessage &m) {
  handled.push_back(m.type);
}

const PlatformMessageSource scriptedSource{nextMessage, takeCharacter, keyState};

PlatformMessage keyDown(int scan, int character = 0, int repeat = 0, int count = 1) {
  PlatformMessage m;
  m.type = PlatformMessageType::KeyDown;
  m.scanCode = scan;
  m.previouslyDown = repeat;
  m.repeatCount = count;
  pending.push_back(m);
  if (character) {
    PlatformMessage c;
    c.type = PlatformMessageType::Char;
    c.character = character;
    pending.push_back(c);
  }
  return m;
}

void keyUp(int scan) {
  PlatformMessage m;
  m.type = PlatformMessageType::KeyUp;
  m.scanCode = scan;
  pending.push_back(m);
}

void mouse(PlatformMessageType type, int x, int y, uint32_t state = 0) {
  PlatformMessage m;
  m.type = type;
  m.windowX = x;
  m.windowY = y;
  m.screenX = x + 1000;  // the window is not at the screen's origin
  m.screenY = y + 1000;
  m.keyState = state;
  m.time = 77;
  pending.push_back(m);
}

class EventQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pending.clear();
    handled.clear();
    heldKeys = 0;
    setPlatformMessageSource(&scriptedSource);
    setPlatformMessageHandler(recordHandled);
    setPointerScaling(0, 0, 0, 0);
    initEvents(nullptr);
  }
  void TearDown() override {
    setPlatformMessageSource(nullptr);
    setPlatformMessageHandler(nullptr);
  }

  std::vector<Event> drain(uint32_t mask = AllEvents) {
    std::vector<Event> out;
    Event e;
    while (getEvent(&e, mask)) out.push_back(e);
    return out;
  }
};

TEST_F(EventQueueTest, EmptyQueueAndMaskLeavesOtherEventsInOrder) {
  Event e;
  e.what = 123;
  EXPECT_FALSE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, 0u);

  keyDown(30, 'a');
  mouse(PlatformMessageType::MouseMove, 5, 6);
  EXPECT_FALSE(getEvent(&e, KeyUp));
  EXPECT_EQ(e.what, 0u);
  auto all = drain();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[1].what, MouseMove);

  // A mask picks a later event out of the middle; the rest keep their order.
  keyDown(30);
  mouse(PlatformMessageType::LeftButtonDown, 1, 1);
  keyUp(30);
  ASSERT_TRUE(getEvent(&e, MouseDown));
  all = drain();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[1].what, KeyUp);
  EXPECT_FALSE(getEvent(&e, AllEvents));
}

TEST_F(EventQueueTest, ConsecutiveMovesCollapseUntilFetched) {
  for (int i = 0; i < 10; ++i) mouse(PlatformMessageType::MouseMove, i, 100 + i);
  Event e;
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, MouseMove);
  EXPECT_EQ(e.whereX, 9);
  EXPECT_EQ(e.whereY, 109);
  EXPECT_EQ(e.which, 0);
  EXPECT_EQ(e.when, 77u);
  EXPECT_FALSE(getEvent(&e, AllEvents));

  mouse(PlatformMessageType::MouseMove, 40, 41);
  mouse(PlatformMessageType::MouseMove, 42, 43);
  auto all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].whereX, 42);

  // Another event in between starts a new move.
  mouse(PlatformMessageType::MouseMove, 1, 1);
  keyDown(16);
  mouse(PlatformMessageType::MouseMove, 2, 2);
  mouse(PlatformMessageType::MouseMove, 3, 3);
  all = drain();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].whereX, 1);
  EXPECT_EQ(all[1].what, KeyDown);
  EXPECT_EQ(all[2].whereX, 3);

  // A move fetched by mask while an older one stays queued.
  mouse(PlatformMessageType::MouseMove, 7, 7);
  ASSERT_TRUE(getEvent(&e, MouseMove));
  mouse(PlatformMessageType::MouseMove, 8, 8);
  mouse(PlatformMessageType::MouseMove, 9, 9);
  all = drain();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].whereX, 9);
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
  EXPECT_EQ(all[0].whereY, 20);
  EXPECT_EQ(all[1].what, MouseUp);
  EXPECT_EQ(all[1].message, 4u);
  EXPECT_EQ(all[1].modifiers, ModControl);
  EXPECT_EQ(all[2].what, MouseDown);
  EXPECT_EQ(all[2].message, 4u);
  EXPECT_EQ(all[2].modifiers, ModDoubleClick | ModRightButton);
  // Every message reaches the window procedure, those without events too.
  EXPECT_EQ(handled.size(), 4u);

  // Full-screen scaling: a 1280x960 window over a 320x240 surface.
  setPointerScaling(320, 1280, 240, 960);
  mouse(PlatformMessageType::LeftButtonUp, 1279, 3);
  Event e;
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.whereX, 319);
  EXPECT_EQ(e.whereY, 0);
}

TEST_F(EventQueueTest, KeyCharactersRepeatsAndRelease) {
  heldKeys = PlatformKeyShift | PlatformKeyControl;
  keyDown(28, 13);
  keyDown(28, 13, 1, 3);
  keyDown(28, 13, 1, 0x12345);  // only 16 bits of count fit
  keyUp(28);
  keyDown(72);  // cursor up produces no character
  auto all = drain();
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[0].message, 13u | 28u << 8);
  EXPECT_EQ(all[0].modifiers, ModShift | ModControl);
  EXPECT_EQ(all[1].what, KeyRepeat);
  EXPECT_EQ(all[1].message, 13u | 28u << 8 | 3u << 16);
  EXPECT_EQ(all[2].message >> 16, 0x2345u);
  EXPECT_EQ(all[3].what, KeyUp);
  EXPECT_EQ(all[3].message, all[0].message);
  EXPECT_EQ(all[4].message, 72u << 8);
  EXPECT_TRUE(isKeyDown(72));
  EXPECT_FALSE(isKeyDown(28));
  // The character messages were consumed by their key presses.
  EXPECT_EQ(handled.size(), 5u);
}

TEST_F(EventQueueTest, AltAndSystemCharacters) {
  PlatformMessage m;
  m.type = PlatformMessageType::SysKeyDown;
  m.scanCode = 28;
  m.altContext = 1;
  pending.push_back(m);
  PlatformMessage c;
  c.type = PlatformMessageType::Char;
  c.character = 'x';
  pending.push_back(c);
  c.type = PlatformMessageType::SysChar;
  c.character = 13;
  pending.push_back(c);
  m.type = PlatformMessageType::SysKeyUp;
  pending.push_back(m);
  auto all = drain();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[0].message, 13u | 28u << 8);
  EXPECT_EQ(all[0].modifiers, ModAlt);
  EXPECT_EQ(all[1].what, KeyUp);
  EXPECT_EQ(all[1].message, all[0].message);
  EXPECT_EQ(all[1].modifiers, ModAlt);
}

TEST_F(EventQueueTest, FullQueueDropsEventsButKeepsKeyTable) {
  for (int i = 0; i < 100; ++i) keyDown(30, 'a', i > 0);
  keyDown(31, 's');
  keyDown(0x1C8);  // extended code: only the low byte names the key
  Event e;
  ASSERT_FALSE(getEvent(&e, Timer));
  EXPECT_TRUE(isKeyDown(31));
  EXPECT_TRUE(isKeyDown(0xC8));
  keyUp(31);
  keyUp(30);
  ASSERT_FALSE(getEvent(&e, Timer));
  EXPECT_FALSE(isKeyDown(31));
  EXPECT_FALSE(isKeyDown(30));
  EXPECT_FALSE(isKeyDown(30 + 256));

  auto all = drain();
  ASSERT_EQ(all.size(), 100u);
  EXPECT_EQ(all[0].what, KeyDown);
  EXPECT_EQ(all[99].what, KeyRepeat);

  // Every slot came back: the queue takes a full load again.
  for (int i = 0; i < 120; ++i) mouse(PlatformMessageType::LeftButtonDown, i, 0);
  all = drain();
  ASSERT_EQ(all.size(), 100u);
  EXPECT_EQ(all[99].whereX, 99);
}

TEST_F(EventQueueTest, FlushAndInitEmptyTheQueue) {
  keyDown(30);
  mouse(PlatformMessageType::LeftButtonDown, 0, 0);
  flushEvents(KeyDown);
  Event e;
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.what, MouseDown);

  keyDown(44);
  mouse(PlatformMessageType::MouseMove, 0, 0);
  ASSERT_FALSE(getEvent(&e, Timer));
  initEvents(nullptr);
  EXPECT_FALSE(isKeyDown(44));
  setPlatformMessageSource(nullptr);  // without a source the queue is only read
  EXPECT_FALSE(getEvent(&e, AllEvents));
  setPlatformMessageSource(&scriptedSource);
  // The move slot was forgotten with the queue: a new move is queued anew.
  mouse(PlatformMessageType::MouseMove, 5, 5);
  ASSERT_TRUE(getEvent(&e, AllEvents));
  EXPECT_EQ(e.whereX, 5);
}

}  // namespace
