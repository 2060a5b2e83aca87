// Start-up: the command line, the framework, the callbacks, the mode, the
// resources, then the main loop.
#pragma once

#include "framework/framework.h"
#include "game/shell/game_state.h"

// The game's driver permissions before the command line: everything but
// OpenGL, all colour depths.
DriverOptions defaultGameDriverOptions();

// Clears the permissions the switches name ("-nodirectaccess",
// "-nodirectdraw", "-novga", "-novgax", "-novbe", "-novbeaf", "-nolinear"),
// in any letter case. Other arguments are ignored.
void parseCommandLine(int argc, const char *const *argv, DriverOptions *options);

// "-nosound" in any letter case: the game starts muted (M unmutes).
bool soundOffRequested(int argc, const char *const *argv);

// A nonzero number in RK_NO_DIRECTACCESS keeps the direct-access families out.
void applyEnvironment(DriverOptions *options);

// Everything before the main loop: the course (first, "-courses" and
// "-course NAME": the pack's list, or its folder as the current directory),
// the framework, the callbacks, the mode and the resources. Ends the program
// on any failure.
void startKelvaro(int argc, const char *const *argv, const BuildConstants &constants);

// The game and draw callbacks startKelvaro installed (the game's own, or the
// course choice's), for runners that wrap them.
GameFunc kelvaroGameFunc();
DrawFunc kelvaroDrawFunc();

// Runs the game from loading the course to the end of the main loop; returns
// the exit status. The display back end must be installed first.
int runKelvaro(int argc, const char *const *argv, const BuildConstants &constants);
