// Where the installed game finds its course, pictures and font when it is
// started from a directory that does not hold them.
#pragma once

#include <string>

// Tells where the installed data lies, "" when there is none. By default
// (POSIX) share/kelvaro beside the program's bin folder; a display back end
// whose platform keeps data elsewhere, such as beside the program, sets its
// own before enterGameDataDirectory runs. Null restores the default.
using DataDirectoryLocator = std::string (*)();
void setDataDirectoryLocator(DataDirectoryLocator locate);

// The installed data directory is share/kelvaro next to the program's bin
// folder, with the pictures under BITMAPS/ and the font under FONTS/.
// When RK_ROOT is not set, points it there, so that resources missing from the
// current directory come from the installation. When "inp1.txt" cannot be
// opened in the current directory but the data directory holds it, makes that
// the current directory. Returns false when there is no installation to use;
// the course loader then reports the missing file as usual.
bool enterGameDataDirectory();
