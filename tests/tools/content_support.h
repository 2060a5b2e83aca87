// Shared by the content tests: where the sources, the generated data and the
// generator programs are, and running a program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "common/scratch_folder.h"

namespace content {

inline std::string environmentPath(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr ? value : "";
}

inline std::string sourceDir() {
  return environmentPath("KELVARO_SOURCE_DIR");
}

inline std::string binaryDir() {
  return environmentPath("KELVARO_BINARY_DIR");
}

inline std::string dataFile(const std::string &name) {
  return binaryDir() + "/data/" + name;
}

inline std::vector<uint8_t> readBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Exit status of the command, -1 when it did not run or was killed.
inline int run(const std::string &command) {
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

inline uint32_t le16(const std::vector<uint8_t> &b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

inline uint32_t le32(const std::vector<uint8_t> &b, size_t at) {
  return le16(b, at) | le16(b, at + 2) << 16;
}

// A fresh, empty folder for one test's output, removed after it.
inline ScratchFolder scratchDir(const std::string &name) {
  return ScratchFolder("kelvaro_content_" + name + "_");
}

}  // namespace content

