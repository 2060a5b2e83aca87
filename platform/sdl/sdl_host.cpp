// What the SDL2 build tells the game about the machine (Linux and other
// POSIX systems): the installed data beside the program, a standard error
// that the player sees when starting it from a terminal.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "framework/host.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_player_files.h"

namespace {

bool fileReadable(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

std::string programDirectory() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

// Beside the program's folder: share/games/kelvaro for a games folder (as
// installed, and as Debian keeps games), share/kelvaro for a bin folder.
std::string installedDataDirectory() {
  const std::string dir = programDirectory();
  if (dir.empty()) return dir;
  for (const char *relative : {"/../share/games/kelvaro", "/../share/kelvaro"}) {
    const std::string candidate = dir + relative;
    if (fileReadable(candidate + "/inp1.txt")) return candidate;
  }
  return {};
}

const Host sdlHost = {
    "sdl",
    installedDataDirectory,
    sdlPlayerFilesDirectory,
    nullptr,  // playerFilesChanged: files written are where they last
    true,     // standardErrorSeen
    sdlHostAudio(),
};

}  // namespace

void useSdlHost() {
  setHost(&sdlHost);
}
