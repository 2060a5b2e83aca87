// The course choice as the program's home: the list, then the chosen course
// (its menu, play, lives) in the same window, and back to the list after the
// win, the menu's quit item or Escape. The list's Escape ends the program.
#pragma once

#include "framework/framework.h"
#include "game/shell/course_choice.h"

// Call after the mode is set, instead of loading a course: reads the pack's
// courses and their pictures, the player's records, and installs the
// choice's callbacks. Ends the program through RK_reportFatal when the font
// cannot be read.
void startCourseChoice(const CoursePack &pack);

// The choice's game and draw callbacks, for runners that wrap them.
GameFunc courseChoiceGameFunc();
DrawFunc courseChoiceDrawFunc();

// The program's version as replays name it.
const char *programVersion();
