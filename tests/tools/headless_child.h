// Running kelvaro-headless as a child process from the tools tests, and
// reading what it leaves behind.
#pragma once

#include <fcntl.h>
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
  return _access(path.c_str(), 4) == 0;
#else
  return access(path.c_str(), R_OK) == 0;
#endif
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

// A fresh directory for one test's files.
#ifdef _WIN32
inline std::string scratchDir() {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) return "";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::filesystem::path dir =
        base / ("kelvaro-headless-test-" + std::to_string(_getpid()) + "-" + std::to_string(std::rand()));
    if (std::filesystem::create_directory(dir, ec)) return dir.string();
  }
  return "";
}
#else
inline std::string scratchDir() {
  std::string base = envOr("TMPDIR", "/tmp") + "/kelvaro-headless-test-XXXXXX";
  std::vector<char> buffer(base.begin(), base.end());
  buffer.push_back('\0');
  const char *made = mkdtemp(buffer.data());
  return made ? made : "";
}
#endif

struct ChildResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

// Runs the program with `args` in `workDir`; standard output and error go
// to files in `scratch`.
#ifdef _WIN32
// The child inherits this process's standard handles and directory, so both
// are swapped for the time of the run. Arguments are joined with spaces
// there: those that hold one are quoted.
inline ChildResult runHeadless(const std::vector<std::string> &args, const std::string &workDir,
                               const std::string &scratch) {
  const std::string outPath = scratch + "/stdout.txt", errPath = scratch + "/stderr.txt";
  const std::string exe = program();
  std::vector<std::string> quoted;
  quoted.push_back("\"" + exe + "\"");
  for (const std::string &a : args) quoted.push_back(a.find(' ') == std::string::npos ? a : "\"" + a + "\"");
  std::vector<const char *> argv;
  for (const std::string &a : quoted) argv.push_back(a.c_str());
  argv.push_back(nullptr);

  ChildResult result;
  std::fflush(stdout);
  std::fflush(stderr);
  const int out = _open(outPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  const int err = _open(errPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  const int savedOut = _dup(1), savedErr = _dup(2);
  char savedDir[4096];
  if (out >= 0 && err >= 0 && _getcwd(savedDir, sizeof savedDir) && _dup2(out, 1) == 0 &&
      _dup2(err, 2) == 0) {
    if (_chdir(workDir.c_str()) == 0) {
      errno = 0;
      const intptr_t code = _spawnv(_P_WAIT, exe.c_str(), argv.data());
      // Exit statuses as a POSIX parent sees them: the low eight bits. An
      // exit status of -1 and a failed start look alike but for errno.
      result.status = code == -1 && errno != 0 ? 127 : static_cast<int>(code & 0xFF);
      (void)_chdir(savedDir);
    }
  }
  _dup2(savedOut, 1);
  _dup2(savedErr, 2);
  _close(savedOut);
  _close(savedErr);
  if (out >= 0) _close(out);
  if (err >= 0) _close(err);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}
#else
inline ChildResult runHeadless(const std::vector<std::string> &args, const std::string &workDir,
                               const std::string &scratch) {
  const std::string outPath = scratch + "/stdout.txt", errPath = scratch + "/stderr.txt";
  const std::string exe = program();
  std::vector<char *> argv;
  argv.push_back(const_cast<char *>(exe.c_str()));
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);

  ChildResult result;
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(workDir.c_str()) != 0) _exit(126);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  int raw = 0;
  if (pid > 0 && waitpid(pid, &raw, 0) == pid) {
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  }
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}
#endif

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
