// Running kelvaro-headless as a child process from the tools tests, and
// reading what it leaves behind.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/portable.h"

namespace headless_test {

inline std::string envOr(const char *name, const char *fallback) {
  const char *v = std::getenv(name);
  return v && *v ? v : fallback;
}
// Where the build put the program and the game data, and the source tree;
// the build hands these in.
inline std::string program() {
  return KELVARO_HEADLESS_PROGRAM;
}
inline std::string dataDir() {
  return KELVARO_HEADLESS_DATA_DIR;
}
inline std::string sourceDir() {
  return KELVARO_HEADLESS_SOURCE_DIR;
}

inline bool fileExists(const std::string &path) {
  return std::ifstream(path, std::ios::binary).good();
}

inline std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string &path, const std::string &text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> lines(const std::string &text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// A fresh directory for one test's files ("" when none can be made).
inline std::string scratchDir() {
  try {
    return portable::makeTempFolder("kelvaro-headless-test-").string();
  } catch (const std::exception &) {
    return "";
  }
}

using ChildResult = portable::ChildOutcome;

// Runs the program with `args` in `workDir`; standard output and error pass
// through files in `scratch`.
inline ChildResult runHeadless(const std::vector<std::string> &args, const std::string &workDir,
                               const std::string &scratch) {
  return portable::runChild(program(), args, {workDir, scratch + "/child", 0, ""});
}

// An 8-bit uncompressed Windows bitmap, rows top first.
struct Picture8 {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;    // width * height
  std::vector<uint32_t> colours;  // 0xRRGGBB per palette entry
  bool ok = false;
};

inline Picture8 readPicture8(const std::string &path) {
  Picture8 p;
  const std::string raw = readFile(path);
  const auto *b = reinterpret_cast<const uint8_t *>(raw.data());
  auto u32 = [&](size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
  };
  auto u16 = [&](size_t at) { return uint32_t(b[at] | b[at + 1] << 8); };
  if (raw.size() < 54 || b[0] != 'B' || b[1] != 'M') return p;
  const uint32_t offset = u32(10), infoSize = u32(14);
  const int32_t width = static_cast<int32_t>(u32(18)), height = static_cast<int32_t>(u32(22));
  if (u16(28) != 8 || u32(30) != 0 || width <= 0 || height == 0) return p;
  uint32_t used = u32(46);
  if (used == 0) used = 256;
  const bool bottomUp = height > 0;
  p.width = width;
  p.height = bottomUp ? height : -height;
  const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
  if (14 + infoSize + 4 * used > raw.size() || offset + stride * p.height > raw.size()) return p;
  for (uint32_t i = 0; i < used; ++i) {
    const size_t at = 14 + infoSize + 4 * i;
    p.colours.push_back(uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at]);
  }
  p.pixels.resize(static_cast<size_t>(width) * p.height);
  for (int row = 0; row < p.height; ++row) {
    const size_t fileRow = bottomUp ? static_cast<size_t>(p.height - 1 - row) : static_cast<size_t>(row);
    std::copy(b + offset + fileRow * stride, b + offset + fileRow * stride + width,
              p.pixels.begin() + static_cast<long>(row) * width);
  }
  p.ok = true;
  return p;
}

}  // namespace headless_test
