#include "game/shell/data_directory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
std::string installedDataDirectory(const std::string &programDir) {
  for (const char *relative : {"/../share/games/kelvaro", "/../share/kelvaro"}) {
    const std::string candidate = programDir + relative;
    if (fileReadable(candidate + "/inp1.txt")) return candidate;
  }
  return {};
}

}  // namespace

bool enterGameDataDirectory() {
  const std::string dir = programDirectory();
  if (dir.empty()) return false;
  const std::string installed = installedDataDirectory(dir);
  if (installed.empty()) return false;
  setenv("RK_ROOT", installed.c_str(), 0);
  if (fileReadable("inp1.txt")) return true;
  return chdir(installed.c_str()) == 0;
}
