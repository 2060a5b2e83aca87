// The Win32 display back end: plain Win32 and GDI, no other library. Windows,
// full-screen output over the desktop, presenting pages as 8-bit DIBs,
// keyboard and mouse messages with PC scan codes, message boxes, the clock.
#pragma once

#include <string>

// Installs the back end (RK_setPlatform).
void useWin32Platform();

// Installs the host (setHost) of the Windows build: the installed data lies
// in "data" beside the program (in the build's tree: beside it), and nobody
// sees a window program's standard error, so messages for the player come up
// as boxes as well.
void useWin32Host();

// The folder that holds the running program, without a trailing separator;
// "" when the system does not tell.
std::string win32ProgramDirectory();
