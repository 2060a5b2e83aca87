#include "scripted_run.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "framework/framework.h"
#include "framework/host.h"
#include "game/shell/game_frame.h"
#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "game/shell/startup.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_control.h"
#include "platform/headless/headless_player_files.h"
#include "tools/bmpwrite/bmp_write.h"
#include "trace_line.h"

namespace {

using Clock = std::chrono::steady_clock;

struct RunState {
  const RunOptions *options = nullptr;
  KeySchedule *keys = nullptr;
  bool keyHeld[256] = {};
  std::FILE *trace = nullptr;
  long currentPass = 0;      // the pass whose game callback ran last
  long completedPasses = 0;  // passes whose shots and trace line are written
  bool passOpen = false;
  Clock::time_point loopStart{};
  Clock::time_point lastPassEnd{};
  bool loopStarted = false;
  // The options live in main's frame, which is gone when the exit handlers
  // run after main returns; what they need is kept here.
  bool bench = false;
};
RunState run;

[[noreturn]] void failOutput(const std::string &what) {
  std::fprintf(stderr, "kelvaro-headless: %s\n", what.c_str());
  std::exit(2);
}

void injectKeys(long pass) {
  for (const KeyChange &change : run.keys->take(pass)) {
    bool &held = run.keyHeld[change.scanCode & 0xFF];
    if (change.down) {
      // A key pressed again without a release arrives as the window system
      // would send it: an auto-repeat.
      headlessPressKey(change.scanCode, change.character, held);
    } else {
      headlessReleaseKey(change.scanCode);
    }
    held = change.down;
  }
}

void writeShots(long pass) {
  for (const ShotRequest &shot : run.options->shots) {
    if (shot.pass != pass) continue;
    const HeadlessRecord &record = headlessRecord();
    const HeadlessPresent &frame = record.lastPresent;
    if (record.presentCount == 0 || frame.bits != 8 || frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() < static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height)) {
      failOutput("no 8-bit frame has been shown by pass " + std::to_string(pass) + " for " + shot.file);
    }
    if (!writeBmp8(shot.file, frame.pixels.data(), frame.width, frame.height, frame.width, frame.palette))
      failOutput("cannot write " + shot.file + ": " + std::strerror(errno));
  }
}

void writeTrace(long pass) {
  if (!run.trace) return;
  TraceState s{};
  s.pass = pass;
  s.menuMode = game.menuMode;
  s.lives = game.lives;
  s.x = ball.position.x;
  s.y = ball.position.y;
  s.z = ball.position.z;
  s.speed = ball.speed;
  s.heading = ball.heading;
  s.jumpIndex = ball.jumpIndex;
  s.jumpFactor = ball.jumpFactor;
  s.viewHeight = viewHeight;
  const std::string line = formatTraceLine(s);
  // Flushed line by line: the game may end the process in any later pass.
  if (std::fputs(line.c_str(), run.trace) == EOF || std::fflush(run.trace) != 0)
    failOutput("cannot write " + run.options->traceFile + ": " + std::strerror(errno));
}

void finishPass() {
  run.passOpen = false;
  run.lastPassEnd = Clock::now();
  writeShots(run.currentPass);
  writeTrace(run.currentPass);
  run.completedPasses = run.currentPass + 1;
  injectKeys(run.completedPasses);
}

void scriptedGame() {
  // A pass that drew nothing (the framework was suspended) still counts.
  if (run.passOpen) finishPass();
  run.currentPass = run.completedPasses;
  run.passOpen = true;
  kelvaroGameFunc()();
  if (run.currentPass >= run.options->frames - 1) quitMainLoop();
}

void scriptedDraw() {
  kelvaroDrawFunc()();
  if (run.passOpen) finishPass();
}

void reportBench() {
  if (!run.bench) return;
  double seconds = 0.0;
  if (run.loopStarted && run.completedPasses > 0)
    seconds = std::chrono::duration<double>(run.lastPassEnd - run.loopStart).count();
  const double fps = seconds > 0.0 ? static_cast<double>(run.completedPasses) / seconds : 0.0;
  std::printf("frames %ld seconds %.6f fps %.2f\n", run.completedPasses, seconds, fps);
  std::fflush(stdout);
}

void closeTrace() {
  if (run.trace) std::fclose(run.trace);
  run.trace = nullptr;
}

// Runs on every way out: the end of the main loop, the menu's quit item,
// the win and fatal errors.
void atProcessExit() {
  reportBench();
  closeTrace();
}

}  // namespace

int runScripted(const RunOptions &options, std::vector<KeyChange> keyChanges, const char *programName) {
  static KeySchedule schedule({});
  schedule = KeySchedule(std::move(keyChanges));
  run.options = &options;
  run.bench = options.bench;
  run.keys = &schedule;

  if (!options.traceFile.empty()) {
    // Binary: a trace has the same bytes on every system (no CR before LF).
    run.trace = std::fopen(options.traceFile.c_str(), "wb");
    if (!run.trace) {
      std::fprintf(stderr, "kelvaro-headless: cannot write %s: %s\n", options.traceFile.c_str(),
                   std::strerror(errno));
      return 2;
    }
  }
  std::atexit(atProcessExit);

  // Records and replays go only where the command line says.
  headlessSetPlayerFilesDirectory(options.playerFiles);
  useHeadlessHost(options.audioFile.empty() ? nullptr : headlessWavAudio(options.audioFile));
  useHeadlessPlatform();
  headlessSetClockStep(options.clockStep);

  std::vector<const char *> gameArgv;
  gameArgv.push_back(programName);
  for (const std::string &arg : options.gameArguments) gameArgv.push_back(arg.c_str());
  gameArgv.push_back(nullptr);

  const BuildConstants constants{options.width, options.height, menuPlayBitmapFor(options.width),
                                 menuQuitBitmapFor(options.width)};
  startKelvaro(static_cast<int>(gameArgv.size() - 1), gameArgv.data(), constants);

  // The shell registered its game and draw callbacks; these run them and keep
  // count of the passes around them.
  setGameFunc(scriptedGame);
  setDrawFunc(scriptedDraw);

  injectKeys(0);
  run.loopStart = Clock::now();
  run.lastPassEnd = run.loopStart;
  run.loopStarted = true;
  const int status = runMainLoop();
  if (run.passOpen) finishPass();
  return status;
}
