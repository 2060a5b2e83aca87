// The converter's command line:
//   kelvaro-convert IN.png OUT.bmp --palette play|menu [--texture] [--dither[=diffusion|ordered]]
#pragma once

#include <string>

#include "tools/kelvaro-convert/palette_match.h"
#include "tools/kelvaro-convert/quantise.h"

struct ConvertOptions {
  std::string input;
  std::string output;
  GamePalette palette = GamePalette::Playing;
  bool texture = false;
  Dither dither = Dither::None;
};

extern const char *const ConvertUsage;

// False with `error` set when the arguments don't make a conversion.
bool parseConvertOptions(int argc, const char *const *argv, ConvertOptions &out, std::string &error);
