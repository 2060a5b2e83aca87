#include "run_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

const char *const runUsageText =
    "usage: kelvaro-headless [OPTIONS] [-- GAME ARGUMENTS]\n"
    "  --size 640x480|320x240  build constants to run (default 640x480)\n"
    "  --keys FILE             key script: lines \"PASS +KEY\" / \"PASS -KEY\",\n"
    "                          KEY one of up down left right enter escape m\n"
    "  --frames N              run at most N main-loop passes (default 600)\n"
    "  --clock-step MS         the clock advances MS on every reading\n"
    "  --shot PASS:FILE        after pass PASS write the shown frame as BMP (repeatable)\n"
    "  --trace FILE            one line of game state after every pass\n"
    "  --player-files DIR      keep the player's records and replays in DIR\n"
    "  --audio FILE            write the game's sound as a WAV file (mono, 16 bits,\n"
    "                          44100 Hz; 735 samples per pass)\n"
    "  --bench                 print frames, seconds and frames per second at the end\n"
    "  --help                  show this text\n";

namespace {

// Whole decimal number in [low, high]; no sign other than a leading '-',
// no trailing characters, no empty text.
bool readNumber(const std::string &text, long low, long high, long &out) {
  if (text.empty()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!(c >= '0' && c <= '9') && !(i == 0 && c == '-' && text.size() > 1)) return false;
  }
  errno = 0;
  char *end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (errno == ERANGE || *end != '\0' || value < low || value > high) return false;
  out = value;
  return true;
}

}  // namespace

const char *menuPlayBitmapFor(int width) {
  return width == 320 ? "x320ok.bmp" : "x640ok.bmp";
}

const char *menuQuitBitmapFor(int width) {
  return width == 320 ? "x320quit.bmp" : "x640quit.bmp";
}

bool parseRunOptions(int argc, const char *const *argv, RunOptions &options, std::string &error) {
  options = RunOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i] ? argv[i] : "";
    if (arg == "--") {
      for (++i; i < argc; ++i) options.gameArguments.emplace_back(argv[i] ? argv[i] : "");
      break;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--bench") {
      options.bench = true;
      continue;
    }
    // Options with a value take it from the next argument or after '='.
    std::string name = arg, value;
    bool haveValue = false;
    const size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      haveValue = true;
    }
    const bool takesValue = name == "--size" || name == "--keys" || name == "--frames" ||
                            name == "--clock-step" || name == "--shot" || name == "--trace" ||
                            name == "--player-files" || name == "--audio";
    if (!takesValue) {
      error = "unknown option '" + arg + "'";
      return false;
    }
    if (!haveValue) {
      if (i + 1 >= argc || !argv[i + 1]) {
        error = "option " + name + " needs a value";
        return false;
      }
      value = argv[++i];
    }

    long number = 0;
    if (name == "--size") {
      if (value == "640x480") {
        options.width = 640;
        options.height = 480;
      } else if (value == "320x240") {
        options.width = 320;
        options.height = 240;
      } else {
        error = "--size must be 640x480 or 320x240, not '" + value + "'";
        return false;
      }
    } else if (name == "--keys") {
      if (value.empty()) {
        error = "--keys needs a file name";
        return false;
      }
      options.keysFile = value;
    } else if (name == "--frames") {
      // The main loop always completes at least one pass.
      if (!readNumber(value, 1, LONG_MAX - 1, number)) {
        error = "--frames needs a whole number of at least 1, not '" + value + "'";
        return false;
      }
      options.frames = number;
    } else if (name == "--clock-step") {
      // A step of 0 would hand the clock back to the wall clock; refuse it
      // rather than silently running unreproducibly.
      if (!readNumber(value, 1, INT_MAX, number)) {
        error = "--clock-step needs a whole number of milliseconds of at least 1, not '" + value + "'";
        return false;
      }
      options.clockStep = static_cast<int>(number);
    } else if (name == "--shot") {
      const size_t colon = value.find(':');
      if (colon == std::string::npos || !readNumber(value.substr(0, colon), 0, LONG_MAX - 1, number) ||
          colon + 1 == value.size()) {
        error = "--shot needs PASS:FILE, not '" + value + "'";
        return false;
      }
      options.shots.push_back(ShotRequest{number, value.substr(colon + 1)});
    } else if (name == "--player-files") {
      if (value.empty()) {
        error = "--player-files needs a folder";
        return false;
      }
      options.playerFiles = value;
    } else if (name == "--trace") {
      if (value.empty()) {
        error = "--trace needs a file name";
        return false;
      }
      options.traceFile = value;
    } else if (name == "--audio") {
      if (value.empty()) {
        error = "--audio needs a file name";
        return false;
      }
      options.audioFile = value;
    }
  }
  // A shot that the run can never reach would be missing without a word.
  for (const ShotRequest &shot : options.shots) {
    if (shot.pass >= options.frames) {
      error = "--shot " + std::to_string(shot.pass) + ":" + shot.file +
              " is beyond the last pass (--frames " + std::to_string(options.frames) + ")";
      return false;
    }
  }
  return true;
}
