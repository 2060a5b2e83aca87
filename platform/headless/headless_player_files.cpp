#include "platform/headless/headless_player_files.h"

#include <filesystem>
#include <system_error>

namespace {
std::string chosen;
}

void headlessSetPlayerFilesDirectory(const std::string &dir) {
  chosen = dir;
}

std::string headlessPlayerFilesDirectory() {
  if (chosen.empty()) return {};
  std::error_code failure;
  std::filesystem::create_directories(std::filesystem::path(chosen), failure);
  return std::filesystem::is_directory(std::filesystem::path(chosen), failure) ? chosen : std::string{};
}
