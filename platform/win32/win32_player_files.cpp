#include "platform/win32/win32_player_files.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

std::string win32PlayerFilesDirectory() {
  wchar_t appData[MAX_PATH * 2];
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return {};
  const std::filesystem::path folder = std::filesystem::path(appData) / L"Kelvaro";
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (!std::filesystem::is_directory(folder, failure)) return {};
  const std::wstring wide = folder.wstring();
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}
