// Keyboard translation of the browser back end: KeyboardEvent.code to PC
// set-1 scan codes (extended prefix dropped), KeyboardEvent.key to the
// character a press gives, and which keys the page keeps from the browser.
#pragma once

// 0 for keys the PC keyboard has no code for (or a null code).
int scanCodeForKeyCode(const char *code);

// The character a press gives: `key` is the event's key value ("a", "A",
// "Enter", "Escape" ...). Control with a letter gives its control code.
// 0 for none (cursor and function keys, modifiers alone, non-ASCII text).
int characterForKey(const char *key, bool control);

// Whether the page takes a key press for the game, so that it neither
// scrolls the page nor reaches the browser's own shortcuts. Presses with
// Control or Meta, function keys and keys the game has no code for stay
// with the browser (reload, developer tools, closing the tab ...).
bool gameTakesKey(const char *code, bool control, bool meta);
