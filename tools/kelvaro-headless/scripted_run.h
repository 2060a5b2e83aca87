// Runs the game on the headless back end under a key script, writing
// screenshots and the trace as the passes complete.
#pragma once

#include <vector>

#include "key_script.h"
#include "run_options.h"

// Prepares the outputs, starts the game as the chosen build would and runs
// its main loop to the end. Returns the game's exit status, or 2 when an
// output file can't be written. Exits of the game itself (the menu's quit
// item, the win, fatal errors) end the process from inside, after every
// completed pass has been recorded.
int runScripted(const RunOptions &options, std::vector<KeyChange> keyChanges, const char *programName);
