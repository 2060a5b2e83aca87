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

#ifdef _WIN32
std::string defaultDataDirectory() {
  return {};
}

#else
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
std::string defaultDataDirectory() {
  const std::string dir = programDirectory();
  if (dir.empty()) return dir;
  for (const char *relative : {"/../share/games/kelvaro", "/../share/kelvaro"}) {
    const std::string candidate = dir + relative;
    if (fileReadable(candidate + "/inp1.txt")) return candidate;
  }
  return {};
}

#endif

DataDirectoryLocator locateData = defaultDataDirectory;

}  // namespace

void setDefaultResourceRoot(const std::string &dir) {
#ifdef _WIN32
  if (!std::getenv("RK_ROOT")) _putenv_s("RK_ROOT", dir.c_str());
#else
  setenv("RK_ROOT", dir.c_str(), 0);
#endif
}

void setDataDirectoryLocator(DataDirectoryLocator locate) {
  locateData = locate ? locate : defaultDataDirectory;
}

bool enterGameDataDirectory() {
  const std::string installed = locateData();
  if (installed.empty() || !fileReadable(installed + "/inp1.txt")) return false;
  setDefaultResourceRoot(installed);
  if (fileReadable("inp1.txt")) return true;
  return chdir(installed.c_str()) == 0;
}
