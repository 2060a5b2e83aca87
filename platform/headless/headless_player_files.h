// Where headless runs keep the player's files: only where the command line
// says ("--player-files DIR"), so that a test never touches a real player's
// records.
#pragma once

#include <string>

void headlessSetPlayerFilesDirectory(const std::string &dir);

// The folder set, created if missing; "" when none was set or it cannot be
// made.
std::string headlessPlayerFilesDirectory();
