// Keyboard translation of the Win32 back end, free of window-system calls so
// that it can be tested anywhere.
#pragma once

#include <cstdint>

// The PC set-1 scan code of a key message: bits 16-23 of its lParam. The
// extended-key bit (24) is dropped, so the cursor block and the keypad's
// arrows both give 72, 75, 77 and 80, and both Enter keys give 28, as the
// other back ends report them.
int scanCodeOf(uint32_t lParam);

// Whether the key was already down before this message (bit 30): an
// auto-repeat.
bool wasDown(uint32_t lParam);

// The context bit (29): Alt was held.
bool altHeld(uint32_t lParam);

// The character of a WM_CHAR or WM_SYSCHAR in the window's ANSI code page,
// as the event queue's 8 bits carry it; 0 for none.
int characterOf(uint32_t wParam);
