// A test's own temporary folder, gone when the test is done with it, even
// when a death test's child leaves through exit(), which runs no
// destructors: the folders still open are removed at exit instead.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "common/portable.h"

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string &prefix) : path_(portable::makeTempFolder(prefix)) {
    open().insert(path_);
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
  static std::set<std::filesystem::path> &open() {
    // Never destroyed: the exit handler still needs it after statics go.
    static std::set<std::filesystem::path> *folders = [] {
      std::atexit([] {
        for (const std::filesystem::path &folder : open()) remove(folder);
      });
      return new std::set<std::filesystem::path>;
    }();
    return *folders;
  }
  static void remove(const std::filesystem::path &folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::filesystem::path path_;
};
