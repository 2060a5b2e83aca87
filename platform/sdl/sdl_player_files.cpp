#include "platform/sdl/sdl_player_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string sdlPlayerFilesDirectory() {
  std::string base;
  const char *dataHome = std::getenv("XDG_DATA_HOME");
  // XDG_DATA_HOME counts only as an absolute path; a relative one is ignored,
  // as other desktop programs ignore it.
  if (dataHome && dataHome[0] == '/') {
    base = dataHome;
  } else {
    const char *home = std::getenv("HOME");
    if (!home || home[0] != '/') return {};
    base = std::string(home) + "/.local/share";
  }
  const std::filesystem::path folder = std::filesystem::path(base) / "kelvaro";
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (!std::filesystem::is_directory(folder, failure) || access(folder.c_str(), W_OK) != 0) return {};
  return folder.string();
}
