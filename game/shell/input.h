// Keyboard control: polled every main-loop pass for steering, speed, jumping
// and the menu; Escape through key events.
#pragma once

#include "framework/events/events.h"

inline constexpr int ScanEnter = 28;
inline constexpr int ScanUp = 72;
inline constexpr int ScanLeft = 75;
inline constexpr int ScanRight = 77;
inline constexpr int ScanDown = 80;
inline constexpr int CharEscape = 27;

void pollKeys();
void onKeyDown(const Event &event);
void onKeyUp(const Event &event);
// M mutes and unmutes the sound (also on the course choice).
void toggleSoundOnM(const Event &event);

// How the menu's quit item ends the program: at once, with status 0 and
// without shutting the framework down. Tools replace it to observe the end.
using QuitProcessFunc = void (*)(int status);
void setQuitProcessFunc(QuitProcessFunc f);

// Where pollKeys reads whether a key is held: the framework's key table
// unless a replay hands in its own. Null restores the key table.
using KeyHeldFunc = bool (*)(int scanCode);
void setKeyHeldFunc(KeyHeldFunc f);
