#include <gtest/gtest.h>

#include <string>

#include "platform/sdl/keyboard.h"

namespace {

TEST(KeyboardTranslation, ScanCodesThatTheGameAndMenusUse) {
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_ESCAPE), 1);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_RETURN), 28);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_KP_ENTER), 28);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_UP), 72);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_DOWN), 80);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_LEFT), 75);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_RIGHT), 77);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_KP_8), 72);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_KP_2), 80);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_KP_4), 75);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_KP_6), 77);
}

TEST(KeyboardTranslation, MainBlockFollowsThePcLayout) {
  const char *rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const int firsts[] = {16, 30, 44};
  for (int r = 0; r < 3; ++r)
    for (int i = 0; rows[r][i] != '\0'; ++i)
      EXPECT_EQ(pcScanCode(SDL_GetScancodeFromName(std::string(1, rows[r][i]).c_str())), firsts[r] + i)
          << rows[r][i];
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_1), 2);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_9), 10);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_0), 11);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_SPACE), 57);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_BACKSPACE), 14);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_TAB), 15);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_LSHIFT), 42);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_RSHIFT), 54);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_LALT), 56);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_F1), 59);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_F10), 68);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_F12), 88);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_SLASH), 53);
  EXPECT_EQ(pcScanCode(SDL_SCANCODE_AUDIONEXT), 0);
}

TEST(KeyboardTranslation, CharactersOfKeyPresses) {
  EXPECT_EQ(keyCharacter(SDLK_ESCAPE, KMOD_NONE), 27);
  EXPECT_EQ(keyCharacter(SDLK_RETURN, KMOD_NONE), 13);
  EXPECT_EQ(keyCharacter(SDLK_RETURN, KMOD_LALT), 13);
  EXPECT_EQ(keyCharacter(SDLK_KP_ENTER, KMOD_NONE), 13);
  EXPECT_EQ(keyCharacter(SDLK_a, KMOD_NONE), 'a');
  EXPECT_EQ(keyCharacter(SDLK_a, KMOD_LSHIFT), 'A');
  EXPECT_EQ(keyCharacter(SDLK_a, KMOD_CAPS), 'A');
  EXPECT_EQ(keyCharacter(SDLK_a, static_cast<Uint16>(KMOD_CAPS | KMOD_RSHIFT)), 'a');
  EXPECT_EQ(keyCharacter(SDLK_c, KMOD_LCTRL), 3);
  EXPECT_EQ(keyCharacter(SDLK_7, KMOD_NONE), '7');
  EXPECT_EQ(keyCharacter(SDLK_7, KMOD_LSHIFT), '&');
  EXPECT_EQ(keyCharacter(SDLK_SPACE, KMOD_NONE), ' ');
  EXPECT_EQ(keyCharacter(SDLK_COMMA, KMOD_NONE), ',');
  EXPECT_EQ(keyCharacter(SDLK_SLASH, KMOD_LSHIFT), '?');
  // Cursor and function keys give no character; keypad digits only with Num Lock.
  EXPECT_EQ(keyCharacter(SDLK_UP, KMOD_NONE), 0);
  EXPECT_EQ(keyCharacter(SDLK_F1, KMOD_NONE), 0);
  EXPECT_EQ(keyCharacter(SDLK_LSHIFT, KMOD_LSHIFT), 0);
  EXPECT_EQ(keyCharacter(SDLK_KP_8, KMOD_NONE), 0);
  EXPECT_EQ(keyCharacter(SDLK_KP_8, KMOD_NUM), '8');
}

}  // namespace
