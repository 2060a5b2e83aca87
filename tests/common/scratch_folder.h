// A test's own temporary folder, gone when the test is done with it, even
// when a death test's child leaves through exit(), which runs no
// destructors: the folders a process made and still holds are removed when
// it exits. A forked child's exit leaves its parent's folders alone.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "common/portable.h"

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string &prefix) : path_(portable::makeTempFolder(prefix)) {
    open()[path_] = portable::processId();
  }
  ~ScratchFolder() {
    open().erase(path_);
    remove(path_);
  }
  ScratchFolder(const ScratchFolder &) = delete;
  ScratchFolder &operator=(const ScratchFolder &) = delete;

  const std::filesystem::path &path() const { return path_; }
  std::filesystem::path operator/(const std::string &name) const { return path_ / name; }
  std::string string() const { return path_.string(); }

 private:
  // Each folder with the process that made it.
  static std::map<std::filesystem::path, int> &open() {
    // Never destroyed: the exit handler still needs it after statics go.
    static std::map<std::filesystem::path, int> *folders = [] {
      std::atexit([] {
        for (const auto &[folder, maker] : open())
          if (maker == portable::processId()) remove(folder);
      });
      return new std::map<std::filesystem::path, int>;
    }();
    return *folders;
  }
  static void remove(const std::filesystem::path &folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::filesystem::path path_;
};
