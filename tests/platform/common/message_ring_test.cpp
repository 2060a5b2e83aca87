// The message ring every display back end keeps: order, characters taken only
// from the front, the key state of the message handed out last, windows that
// take their messages along, and a full ring.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/message_ring.h"

namespace {

PlatformMessage message(PlatformMessageType type, void *window, uint32_t keyState = 0, int character = 0) {
  PlatformMessage m;
  m.type = type;
  m.window = window;
  m.keyState = keyState;
  m.character = character;
  return m;
}

std::vector<PlatformMessageType> drain(MessageRing &ring) {
  std::vector<PlatformMessageType> out;
  PlatformMessage m;
  while (ring.take(&m)) out.push_back(m.type);
  return out;
}

class MessageRingTest : public ::testing::Test {
 protected:
  MessageRing ring;
  int window = 0, other = 0;
};

TEST_F(MessageRingTest, CharactersComeOnlyFromTheFrontAndTheKeyStateFollowsWhatWasHandedOut) {
  ring.push(message(PlatformMessageType::KeyDown, &window, PlatformKeyShift | PlatformButtonLeft));
  ring.push(message(PlatformMessageType::Char, &window, 0, 'A'));
  ring.push(message(PlatformMessageType::KeyUp, &window, PlatformKeyControl));
  EXPECT_EQ(ring.keyState(), 0u);

  PlatformMessage m;
  EXPECT_FALSE(ring.takeCharacter(&m, false));  // the key message comes first
  ASSERT_TRUE(ring.take(&m));
  EXPECT_EQ(m.type, PlatformMessageType::KeyDown);
  // Buttons are not part of the key state the program asks for.
  EXPECT_EQ(ring.keyState(), PlatformKeyShift);
  EXPECT_FALSE(ring.takeCharacter(&m, true));  // a Char is no SysChar
  ASSERT_TRUE(ring.takeCharacter(&m, false));
  EXPECT_EQ(m.character, 'A');
  EXPECT_EQ(ring.keyState(), PlatformKeyShift);  // a character leaves it alone
  EXPECT_FALSE(ring.takeCharacter(&m, false));

  ring.push(message(PlatformMessageType::SysChar, &window, PlatformKeyControl, 13));
  ASSERT_TRUE(ring.take(nullptr));  // KeyUp, dropped unread, still counts
  EXPECT_EQ(ring.keyState(), PlatformKeyControl);
  ASSERT_TRUE(ring.take(&m));
  EXPECT_EQ(m.type, PlatformMessageType::SysChar);
  EXPECT_EQ(ring.keyState(), PlatformKeyControl);
  EXPECT_FALSE(ring.take(&m));
  EXPECT_TRUE(ring.empty());

  ring.push(message(PlatformMessageType::Timer, &window));
  ring.clear();
  EXPECT_TRUE(ring.empty());
  EXPECT_EQ(ring.keyState(), 0u);
}

TEST_F(MessageRingTest, AWindowGoingAwayTakesItsMessagesAlongAcrossTheWrap) {
  // Start near the end of the ring, so that the kept messages wrap round.
  for (int i = 0; i < MessageRing::kCapacity - 3; ++i)
    ring.push(message(PlatformMessageType::Timer, &window));
  for (int i = 0; i < MessageRing::kCapacity - 3; ++i) ring.take(nullptr);
  ring.push(message(PlatformMessageType::KeyDown, &other));
  ring.push(message(PlatformMessageType::PaintRequest, &window));
  ring.push(message(PlatformMessageType::KeyUp, &other));
  ring.push(message(PlatformMessageType::CloseRequest, &window));
  ring.push(message(PlatformMessageType::Command, &other));
  ring.push(message(PlatformMessageType::ActivationChanged, &window));
  ring.dropWindow(&other);
  EXPECT_EQ(ring.room(), MessageRing::kCapacity - 3);
  EXPECT_EQ(drain(ring), (std::vector<PlatformMessageType>{PlatformMessageType::PaintRequest,
                                                           PlatformMessageType::CloseRequest,
                                                           PlatformMessageType::ActivationChanged}));
}

TEST_F(MessageRingTest, AFullRingRefusesMoreAndKeepsWhatItHolds) {
  for (int i = 0; i < MessageRing::kCapacity; ++i) {
    PlatformMessage m = message(PlatformMessageType::Timer, &window);
    m.commandId = i;
    ASSERT_TRUE(ring.push(m)) << i;
  }
  EXPECT_EQ(ring.room(), 0);
  EXPECT_FALSE(ring.push(message(PlatformMessageType::CloseRequest, &window)));
  PlatformMessage m;
  ASSERT_TRUE(ring.take(&m));
  EXPECT_EQ(m.commandId, 0);
  EXPECT_EQ(ring.room(), 1);
  ASSERT_TRUE(ring.push(message(PlatformMessageType::CloseRequest, &window)));
  int taken = 1;
  while (ring.take(&m)) ++taken;
  EXPECT_EQ(taken, MessageRing::kCapacity + 1);
  EXPECT_EQ(m.type, PlatformMessageType::CloseRequest);
}

}  // namespace
