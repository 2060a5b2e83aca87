#include "platform/sdl/keyboard.h"

namespace {

// Shifted characters of the digit and punctuation keys, US layout.
int shiftedCharacter(int c) {
  static const char pairs[] = "1!2@3#4$5%6^7&8*9(0)-_=+[{]}\\|;:'\",<.>/?`~";
  for (int i = 0; pairs[i] != '\0'; i += 2)
    if (pairs[i] == c) return static_cast<unsigned char>(pairs[i + 1]);
  return c;
}

}  // namespace

int pcScanCode(SDL_Scancode s) {
  // Letters by key position, as the PC keyboard numbers them.
  static const unsigned char letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                            49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return letters[s - SDL_SCANCODE_A];
  if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return 2 + (s - SDL_SCANCODE_1);
  if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F10) return 59 + (s - SDL_SCANCODE_F1);
  switch (s) {
    case SDL_SCANCODE_0:
      return 11;
    case SDL_SCANCODE_ESCAPE:
      return 1;
    case SDL_SCANCODE_MINUS:
      return 12;
    case SDL_SCANCODE_EQUALS:
      return 13;
    case SDL_SCANCODE_BACKSPACE:
      return 14;
    case SDL_SCANCODE_TAB:
      return 15;
    case SDL_SCANCODE_LEFTBRACKET:
      return 26;
    case SDL_SCANCODE_RIGHTBRACKET:
      return 27;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return 28;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return 29;
    case SDL_SCANCODE_SEMICOLON:
      return 39;
    case SDL_SCANCODE_APOSTROPHE:
      return 40;
    case SDL_SCANCODE_GRAVE:
      return 41;
    case SDL_SCANCODE_LSHIFT:
      return 42;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH:
      return 43;
    case SDL_SCANCODE_COMMA:
      return 51;
    case SDL_SCANCODE_PERIOD:
      return 52;
    case SDL_SCANCODE_SLASH:
    case SDL_SCANCODE_KP_DIVIDE:
      return 53;
    case SDL_SCANCODE_RSHIFT:
      return 54;
    case SDL_SCANCODE_KP_MULTIPLY:
    case SDL_SCANCODE_PRINTSCREEN:
      return 55;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return 56;
    case SDL_SCANCODE_SPACE:
      return 57;
    case SDL_SCANCODE_CAPSLOCK:
      return 58;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return 69;
    case SDL_SCANCODE_SCROLLLOCK:
      return 70;
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_KP_7:
      return 71;
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_KP_8:
      return 72;
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_KP_9:
      return 73;
    case SDL_SCANCODE_KP_MINUS:
      return 74;
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_KP_4:
      return 75;
    case SDL_SCANCODE_KP_5:
      return 76;
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_KP_6:
      return 77;
    case SDL_SCANCODE_KP_PLUS:
      return 78;
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_KP_1:
      return 79;
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_KP_2:
      return 80;
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_KP_3:
      return 81;
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_KP_0:
      return 82;
    case SDL_SCANCODE_DELETE:
    case SDL_SCANCODE_KP_PERIOD:
      return 83;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return 86;
    case SDL_SCANCODE_F11:
      return 87;
    case SDL_SCANCODE_F12:
      return 88;
    case SDL_SCANCODE_LGUI:
      return 91;
    case SDL_SCANCODE_RGUI:
      return 92;
    case SDL_SCANCODE_APPLICATION:
      return 93;
    default:
      return 0;
  }
}

int keyCharacter(SDL_Keycode key, Uint16 mod) {
  const bool shift = (mod & KMOD_SHIFT) != 0;
  const bool control = (mod & KMOD_CTRL) != 0;
  switch (key) {
    case SDLK_ESCAPE:
      return 27;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_KP_DIVIDE:
      return '/';
    case SDLK_KP_MULTIPLY:
      return '*';
    case SDLK_KP_MINUS:
      return '-';
    case SDLK_KP_PLUS:
      return '+';
    default:
      break;
  }
  // The keypad's digits are cursor keys unless Num Lock is on.
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return (mod & KMOD_NUM) ? '1' + (key - SDLK_KP_1) : 0;
  if (key == SDLK_KP_0) return (mod & KMOD_NUM) ? '0' : 0;
  if (key == SDLK_KP_PERIOD) return (mod & KMOD_NUM) ? '.' : 0;

  if (key >= 'a' && key <= 'z') {
    if (control) return key - 'a' + 1;
    const bool upper = shift != ((mod & KMOD_CAPS) != 0);
    return upper ? key - 'a' + 'A' : key;
  }
  if (key >= ' ' && key <= '~') {
    if (control) return 0;
    return shift ? shiftedCharacter(key) : key;
  }
  return 0;
}
