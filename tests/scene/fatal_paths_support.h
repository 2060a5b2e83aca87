// Running kelvaro-headless as a child process in a folder of its own, with
// the game's data linked in and single files replaced, to watch how the
// program ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/portable.h"
#include "common/scratch_folder.h"

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
    // The data folder's own files only: its resource sub-folders (BITMAPS/,
    // FONTS/) and the course pack would still offer what a case removes.
    for (const auto &entry : fs::directory_iterator(dataDir())) {
      if (entry.is_directory()) continue;
      fs::create_symlink(entry.path(), folder_ / entry.path().filename().string());
    }
  }

  // Puts `bytes` in place of the data file `name`.
  void replace(const std::string &name, const std::string &bytes) const {
    remove(name);
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  void remove(const std::string &name) const { fs::remove(folder_ / name); }
  fs::path path() const { return folder_.path(); }
  fs::path operator/(const std::string &name) const { return folder_ / name; }
  // The files in the folder that are not links to the data.
  std::vector<std::string> ownFiles() const {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder_.path()))
      if (!entry.is_symlink()) names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  ScratchFolder folder_{"kelvaro-fatal-"};
};

using Ending = portable::ChildOutcome;

// Runs kelvaro-headless with `args` inside `folder`. A nonzero `fileSizeLimit`
// caps the size of every file it writes. In a sanitizer build the child also
// watches for uses of stack frames that have returned, which the exit
// handlers could make after main is gone.
inline Ending runGame(const GameFolder &folder, const std::vector<std::string> &args,
                      long fileSizeLimit = 0) {
  const portable::ChildOptions options{folder.path().string(),
                                       (fs::temp_directory_path() / "kelvaro-fatal-").string() +
                                           std::to_string(getpid()),
                                       fileSizeLimit, ":detect_stack_use_after_return=1"};
  return portable::runChild(program(), args, options);
}

// True when `err` holds `line` as one whole line.
inline bool hasLine(const std::string &err, const std::string &line) {
  return ("\n" + err).find("\n" + line + "\n") != std::string::npos;
}

inline bool sanitizerSpoke(const std::string &err) {
  return err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos;
}

}  // namespace fatal_paths
