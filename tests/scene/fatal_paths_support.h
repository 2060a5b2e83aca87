// Running kelvaro-headless as a child process in a folder of its own, with
// the game's data linked in and single files replaced, to watch how the
// program ends.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fatal_paths {

namespace fs = std::filesystem;

inline std::string program() {
  return KELVARO_FATAL_PROGRAM;
}
inline fs::path dataDir() {
  return KELVARO_FATAL_DATA_DIR;
}

inline std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder holding links to every data file; removed with the object.
class GameFolder {
 public:
  GameFolder() {
    std::string pattern = (fs::temp_directory_path() / "kelvaro-fatal-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // The data folder's own files only: its resource sub-folders (BITMAPS/,
    // FONTS/) and the course pack would still offer what a case removes.
    for (const auto &entry : fs::directory_iterator(dataDir())) {
      if (entry.is_directory()) continue;
      fs::create_symlink(entry.path(), path_ / entry.path().filename());
    }
  }
  ~GameFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  GameFolder(const GameFolder &) = delete;
  GameFolder &operator=(const GameFolder &) = delete;

  // Puts `bytes` in place of the data file `name`.
  void replace(const std::string &name, const std::string &bytes) const {
    remove(name);
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  void remove(const std::string &name) const { fs::remove(path_ / name); }
  fs::path path() const { return path_; }
  fs::path operator/(const std::string &name) const { return path_ / name; }
  // The files in the folder that are not links to the data.
  std::vector<std::string> ownFiles() const {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(path_))
      if (!entry.is_symlink()) names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  fs::path path_;
};

struct Ending {
  int status = -1;  // exit status, or 128 + signal
  std::string out, err;
};

// Runs kelvaro-headless with `args` inside `folder`. A nonzero `fileSizeLimit`
// caps the size of every file it writes (with SIGXFSZ ignored, so that the
// write fails instead of the process being killed). In a sanitizer build the
// child also watches for uses of stack frames that have returned, which the
// exit handlers could make after main is gone.
inline Ending runGame(const GameFolder &folder, const std::vector<std::string> &args,
                      long fileSizeLimit = 0) {
  const std::string stem = (fs::temp_directory_path() / "kelvaro-fatal-").string() + std::to_string(getpid());
  const std::string outPath = stem + ".out", errPath = stem + ".err";
  const std::string exe = program();
  std::vector<char *> argv{const_cast<char *>(exe.c_str())};
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const char *asan = std::getenv("ASAN_OPTIONS");
  const std::string asanOptions = std::string(asan ? asan : "") + ":detect_stack_use_after_return=1";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || null < 0 || dup2(err, 2) < 0 || dup2(out, 1) < 0 || dup2(null, 0) < 0)
      _exit(126);
    if (setenv("ASAN_OPTIONS", asanOptions.c_str(), 1) != 0) _exit(126);
    if (chdir(folder.path().c_str()) != 0) _exit(126);
    if (fileSizeLimit > 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  Ending ending;
  int raw = 0;
  if (pid > 0 && waitpid(pid, &raw, 0) == pid)
    ending.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  ending.out = readFile(outPath);
  ending.err = readFile(errPath);
  fs::remove(outPath);
  fs::remove(errPath);
  return ending;
}

// True when `err` holds `line` as one whole line.
inline bool hasLine(const std::string &err, const std::string &line) {
  return ("\n" + err).find("\n" + line + "\n") != std::string::npos;
}

inline bool sanitizerSpoke(const std::string &err) {
  return err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos;
}

}  // namespace fatal_paths
