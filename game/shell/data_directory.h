// Where the installed game finds its course, pictures and font when it is
// started from a directory that does not hold them.
#pragma once

#include <string>

// The installed data directory, as the host in force tells it
// (hostGameDataDirectory), holds the course, the pictures under BITMAPS/
// and the font under FONTS/.
// When RK_ROOT is not set, points it there, so that resources missing from the
// current directory come from the installation. When "inp1.txt" cannot be
// opened in the current directory but the data directory holds it, makes that
// the current directory. Returns false when there is no installation to use;
// the course loader then reports the missing file as usual.
bool enterGameDataDirectory();

// Points RK_ROOT at `dir` unless it is set already (the player's setting
// wins), on every platform.
void setDefaultResourceRoot(const std::string &dir);
