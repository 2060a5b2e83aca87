// "-replay FILE": the program plays a kept run in its window instead of
// taking keys from the player (Escape still ends it). The file names its
// course; a course whose files changed since the run was recorded is refused,
// never played into a wrong result.
#pragma once

#include <string>

// The FILE after "-replay", "" when the command line has none.
std::string replayRequest(int argc, const char *const *argv);

// Reads the replay and enters its course's folder (as "-course NAME" does).
// Returns -1 when start-up goes on, else the exit status after a message
// (1: unreadable, damaged or newer file, unknown course, changed course).
int enterReplayCourse(const std::string &file);

// The game callback that hands the replay's keys to the game pass by pass
// and then polls them; install it instead of pollKeys.
void pollReplayedKeys();
