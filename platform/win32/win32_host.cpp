// What the Windows build tells the game about the machine: the installed
// data in "data" beside the program, a standard error nobody sees.
#include <string>

#include "framework/host.h"
#include "platform/win32/win32_audio.h"
#include "platform/win32/win32_internal.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_player_files.h"

namespace {

// The zip keeps the course, the pictures and the font in "data", so that a
// double click starts where there is no course of its own (and gets the
// course choice); the build's tree keeps them beside the programs.
std::string installedData() {
  const std::string program = win32ProgramDirectory();
  if (program.empty()) return {};
  const std::string data = program + "\\data";
  return GetFileAttributesA((data + "\\inp1.txt").c_str()) != INVALID_FILE_ATTRIBUTES ? data : program;
}

const Host win32Host = {
    "win32",
    installedData,
    win32PlayerFilesDirectory,
    nullptr,                // playerFilesChanged: files written are where they last
    false,                  // standardErrorSeen: nobody who starts it from Explorer does
    win32HostAudio(),
};

}  // namespace

void useWin32Host() {
  setHost(&win32Host);
}

std::string win32ProgramDirectory() {
  char buffer[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return {};
  std::string path(buffer, n);
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string{} : path.substr(0, separator);
}
