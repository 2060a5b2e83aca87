#include "tools/kelvaro-convert/convert_options.h"

#include <cstring>

const char *const ConvertUsage =
    "usage: kelvaro-convert IN.png OUT.bmp --palette play|menu [--texture] [--dither[=diffusion|ordered]]\n";

namespace {

bool paletteNamed(const std::string &name, GamePalette &out) {
  if (name == "play") {
    out = GamePalette::Playing;
    return true;
  }
  if (name == "menu") {
    out = GamePalette::Menu;
    return true;
  }
  return false;
}

}  // namespace

bool parseConvertOptions(int argc, const char *const *argv, ConvertOptions &out, std::string &error) {
  out = ConvertOptions{};
  bool paletteGiven = false;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--palette" || a.rfind("--palette=", 0) == 0) {
      std::string name;
      if (a == "--palette") {
        if (i + 1 >= argc) {
          error = "--palette needs play or menu";
          return false;
        }
        name = argv[++i];
      } else {
        name = a.substr(std::strlen("--palette="));
      }
      if (!paletteNamed(name, out.palette)) {
        error = "unknown palette \"" + name + "\" (play or menu)";
        return false;
      }
      paletteGiven = true;
    } else if (a == "--texture") {
      out.texture = true;
    } else if (a == "--dither" || a == "--dither=diffusion") {
      out.dither = Dither::Diffusion;
    } else if (a == "--dither=ordered") {
      out.dither = Dither::Ordered;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else if (positional == 0) {
      out.input = a;
      ++positional;
    } else if (positional == 1) {
      out.output = a;
      ++positional;
    } else {
      error = "one input and one output only";
      return false;
    }
  }
  if (positional < 2) {
    error = "an input picture and an output file are needed";
    return false;
  }
  if (!paletteGiven) {
    error = "say which palette the picture is for: --palette play or --palette menu";
    return false;
  }
  return true;
}
