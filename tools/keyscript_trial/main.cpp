// keyscript_trial SCENE SCRIPT [--trace N] [--passes N]
// Developer's tool: replays a key script against the course in SCENE and
// prints every lost life, the furthest x reached and whether the goal was
// touched. Every N passes with --trace, the ball's state.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "game/scene/fatal_message.h"
#include "game/scene/scene_loader.h"
#include "game/sim/ball.h"
#include "key_script.h"
#include "trial_game.h"

namespace {

long currentPass = 0;

void reportLife(const char *reason, double x, double y, double z) {
  std::printf("pass %ld: life lost (%s) at x %.4f y %.4f z %.4f, %s\n", currentPass, reason, x, y, z,
              trial.menuMode == 1 ? "back to the menu" : (std::to_string(trial.lives) + " left").c_str());
}

void reportEnd(int status, const char *caption, const char *text) {
  (void)caption;
  const bool won = std::strcmp(text, "Sie haben gewonnen") == 0;
  std::printf("pass %ld: \"%s\" (exit %d) at x %.4f y %.4f z %.4f\n", currentPass, text, status,
              ball.position.x, ball.position.y, ball.position.z);
  std::printf("result: %s, lives lost %d\n", won ? "goal reached" : "ended", trial.livesLost);
  std::fflush(stdout);
  std::_Exit(won ? 0 : 3);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: keyscript_trial SCENE SCRIPT [--trace N] [--passes N]\n");
    return 2;
  }
  long trace = 0, extraPasses = 600;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--trace") == 0) trace = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--passes") == 0) extraPasses = std::atol(argv[i + 1]);
  }
  std::ifstream scriptFile(argv[2]);
  std::vector<KeyChange> changes;
  std::string error;
  if (!scriptFile || !readKeyScript(scriptFile, changes, error)) {
    std::fprintf(stderr, "keyscript_trial: %s: %s\n", argv[2], scriptFile ? error.c_str() : "cannot open");
    return 2;
  }
  setFatalExitHook(reportEnd);
  LoadScene(argv[1]);
  resetSimulation();
  setLifeReport(reportLife);

  const long lastPass = (changes.empty() ? 0 : changes.back().pass) + extraPasses;
  size_t next = 0;
  for (currentPass = 0; currentPass <= lastPass && !trial.quit; ++currentPass) {
    while (next < changes.size() && changes[next].pass == currentPass) applyKeyChange(changes[next++]);
    runPass();
    if (trace > 0 && currentPass % trace == 0 && trial.menuMode == 0) {
      std::printf("pass %ld: x %.4f y %.4f z %.4f speed %.5f heading %.2f jump %d\n", currentPass,
                  ball.position.x, ball.position.y, ball.position.z, ball.speed, ball.heading,
                  ball.jumpIndex);
    }
  }
  std::printf("result: goal not reached%s, furthest x %.4f, lives lost %d\n", trial.quit ? " (quit)" : "",
              trial.furthestX, trial.livesLost);
  return 1;
}
