// The command line of kelvaro-headless: which build's constants to run, the
// key script, how many passes, the clock, screenshots, the trace and the
// benchmark line, the sound file. Everything after "--" goes to the game unchanged.
#pragma once

#include <string>
#include <vector>

struct ShotRequest {
  long pass;
  std::string file;
};

struct RunOptions {
  int width = 640;
  int height = 480;
  std::string keysFile;  // empty: no keys
  long frames = 600;     // passes before the run ends as Escape would
  int clockStep = 0;     // 0: wall clock
  std::vector<ShotRequest> shots;
  std::string traceFile;  // empty: no trace
  std::string playerFiles;  // empty: no player files (no records kept)
  std::string audioFile;  // empty: no sound
  bool bench = false;
  bool help = false;
  std::vector<std::string> gameArguments;
};

// Fills `options` from argv[1..argc-1]. On a bad command line returns false
// and leaves a one-line reason in `error`.
bool parseRunOptions(int argc, const char *const *argv, RunOptions &options, std::string &error);

// The menu pictures of the build whose screen is width x height.
const char *menuPlayBitmapFor(int width);
const char *menuQuitBitmapFor(int width);

extern const char *const runUsageText;
