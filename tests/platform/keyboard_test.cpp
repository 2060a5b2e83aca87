#include <gtest/gtest.h>

#include <utility>

#include "platform/sdl/keyboard.h"

namespace {

TEST(KeyboardTranslation, PcScanCodes) {
  const std::pair<SDL_Scancode, int> keys[] = {
      {SDL_SCANCODE_ESCAPE, 1}, {SDL_SCANCODE_RETURN, 28},  {SDL_SCANCODE_KP_ENTER, 28},
      {SDL_SCANCODE_UP, 72},    {SDL_SCANCODE_DOWN, 80},    {SDL_SCANCODE_LEFT, 75},
      {SDL_SCANCODE_RIGHT, 77}, {SDL_SCANCODE_KP_8, 72},    {SDL_SCANCODE_KP_2, 80},
      {SDL_SCANCODE_KP_4, 75},  {SDL_SCANCODE_KP_6, 77},    {SDL_SCANCODE_Q, 16},
      {SDL_SCANCODE_P, 25},     {SDL_SCANCODE_A, 30},       {SDL_SCANCODE_L, 38},
      {SDL_SCANCODE_Z, 44},     {SDL_SCANCODE_M, 50},       {SDL_SCANCODE_1, 2},
      {SDL_SCANCODE_0, 11},     {SDL_SCANCODE_SPACE, 57},   {SDL_SCANCODE_F10, 68},
      {SDL_SCANCODE_F12, 88},   {SDL_SCANCODE_AUDIONEXT, 0}};
  for (const auto &[scancode, expected] : keys) EXPECT_EQ(pcScanCode(scancode), expected) << scancode;
}

TEST(KeyboardTranslation, Characters) {
  EXPECT_EQ(keyCharacter(SDLK_ESCAPE, KMOD_NONE), 27);
  EXPECT_EQ(keyCharacter(SDLK_RETURN, KMOD_LALT), 13);
  EXPECT_EQ(keyCharacter(SDLK_a, KMOD_LSHIFT), 'A');
  EXPECT_EQ(keyCharacter(SDLK_a, static_cast<Uint16>(KMOD_CAPS | KMOD_RSHIFT)), 'a');
  EXPECT_EQ(keyCharacter(SDLK_c, KMOD_LCTRL), 3);
  EXPECT_EQ(keyCharacter(SDLK_7, KMOD_LSHIFT), '&');
  EXPECT_EQ(keyCharacter(SDLK_COMMA, KMOD_NONE), ',');
  // Cursor keys give none; the keypad's digits only with Num Lock.
  EXPECT_EQ(keyCharacter(SDLK_UP, KMOD_NONE), 0);
  EXPECT_EQ(keyCharacter(SDLK_KP_8, KMOD_NONE), 0);
  EXPECT_EQ(keyCharacter(SDLK_KP_8, KMOD_NUM), '8');
}

}  // namespace
