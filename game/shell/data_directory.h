// Where the game finds its course and pictures when it is started from a
// directory that does not hold them.
#pragma once

// When "inp1.txt" cannot be opened in the current directory and the
// installed data directory (next to the program: ../share/kelvaro) holds it,
// makes that the current directory. Returns false when neither has it, so
// that the course loader reports the missing file as usual.
bool enterGameDataDirectory();
