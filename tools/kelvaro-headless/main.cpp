// kelvaro-headless: runs Kelvaro without a display under a key script, for
// regression runs, screenshots, traces and the frame benchmark.
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

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
  if (!options.keysFile.empty()) {
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
