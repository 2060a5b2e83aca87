// The player's own files on Windows: %APPDATA%\Kelvaro.
#pragma once

#include <string>

// The folder in UTF-8, created if missing; "" when there is none.
std::string win32PlayerFilesDirectory();
