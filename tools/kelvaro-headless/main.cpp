// kelvaro-headless: runs Kelvaro without a display under a key script, for
// regression runs, screenshots, traces and the frame benchmark.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/shell/records/replay_file.h"
#include "key_script.h"
#include "run_options.h"
#include "scripted_run.h"

int main(int argc, char **argv) {
  RunOptions options;
  std::string error;
  if (!parseRunOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kelvaro-headless: %s\n%s", error.c_str(), runUsageText);
    return 2;
  }
  if (options.help) {
    std::fputs(runUsageText, stdout);
    return 0;
  }

  std::vector<KeyChange> changes;
  // A kept run: the game itself plays it on its own course at its own size,
  // after checking that the course is the one it was recorded on.
  std::ifstream head(options.keysFile);
  std::string firstLine;
  if (!options.keysFile.empty() && head && std::getline(head, firstLine) && firstLine.rfind("# kelvaro-replay", 0) == 0) {
    std::ifstream whole(options.keysFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    ReplayHeader header;
    std::vector<ReplayKey> keys;
    if (parseReplay(text, header, keys) == ReplayReading::Read) {
      options.width = header.width;
      options.height = header.height;
    }
    options.gameArguments.insert(options.gameArguments.begin(), {"-replay", options.keysFile});
  } else if (!options.keysFile.empty()) {
    std::ifstream script(options.keysFile);
    if (!script) {
      std::fprintf(stderr, "kelvaro-headless: cannot read key script %s\n", options.keysFile.c_str());
      return 2;
    }
    if (!readKeyScript(script, changes, error)) {
      std::fprintf(stderr, "kelvaro-headless: %s:%s\n", options.keysFile.c_str(), error.c_str());
      return 2;
    }
  }

  return runScripted(options, std::move(changes), argc > 0 && argv[0] ? argv[0] : "kelvaro-headless");
}
