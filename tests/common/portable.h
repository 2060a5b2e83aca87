// The few system calls tests need that POSIX and Windows spell differently:
// environment variables, fresh temporary folders, files read from memory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace portable {

// exit(-1) as the parent sees it: POSIX keeps the low eight bits, Windows
// the whole code.
#ifdef _WIN32
inline constexpr int kExitMinusOne = -1;
#else
inline constexpr int kExitMinusOne = 255;
#endif

inline void setEnv(const char *name, const std::string &value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

inline void unsetEnv(const char *name) {
#ifdef _WIN32
  _putenv_s(name, "");  // an empty value removes the variable
#else
  unsetenv(name);
#endif
}

// A new, empty folder in the system's temporary folder.
inline std::filesystem::path makeTempFolder(const std::string &prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
#ifdef _WIN32
  if (_mktemp_s(pattern.data(), pattern.size() + 1) != 0 || !std::filesystem::create_directory(pattern))
    throw std::runtime_error("no temporary folder");
#else
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
#endif
  return pattern;
}

// A file opened for reading ("rb") whose bytes are `size` bytes at `data`;
// null on failure. Close it with fclose.
inline FILE *memoryFile(void *data, size_t size) {
#ifdef _WIN32
  // No fmemopen: a temporary file with the same bytes.
  FILE *f = std::tmpfile();
  if (!f) return nullptr;
  if (std::fwrite(data, 1, size, f) != size) {
    std::fclose(f);
    return nullptr;
  }
  std::rewind(f);
  return f;
#else
  return fmemopen(data, size, "rb");
#endif
}

}  // namespace portable
