// Keyboard translation of the SDL back end: PC set-1 scan codes (extended
// prefix dropped) and the character a key press gives.
#pragma once

#include <SDL.h>

// 0 for keys the PC keyboard has no code for.
int pcScanCode(SDL_Scancode scancode);

// The character a press of `key` gives with the modifiers `mod`, 0 for none
// (cursor and function keys, modifiers alone).
int keyCharacter(SDL_Keycode key, Uint16 mod);
