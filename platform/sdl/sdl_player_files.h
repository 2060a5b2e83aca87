// The player's own files on a desktop following the XDG base directories:
// $XDG_DATA_HOME/kelvaro, by default ~/.local/share/kelvaro.
#pragma once

#include <string>

// The folder, created if missing; "" when there is no home or it cannot be
// made (a read-only home).
std::string sdlPlayerFilesDirectory();
