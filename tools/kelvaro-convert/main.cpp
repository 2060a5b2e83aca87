// kelvaro-convert IN.png OUT.bmp --palette play|menu [--texture] [--dither[=diffusion|ordered]]
//
// Writes an 8-bit bitmap whose pixels index the game's playing or menu
// palette, so that a picture of one's own shows in the right colours: the
// game reads its bitmaps without their palettes. Exit status 0 when written,
// 1 when the input can't be used or the output can't be written (nothing is
// then left under the output's name), 2 for a wrong command line.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/bmpwrite/bmp_write.h"
#include "tools/kelvaro-convert/convert_options.h"
#include "tools/kelvaro-convert/texture_size.h"

namespace {

int failure(const std::string &what) {
  std::fprintf(stderr, "kelvaro-convert: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  ConvertOptions options;
  std::string error;
  if (!parseConvertOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kelvaro-convert: %s\n%s", error.c_str(), ConvertUsage);
    return 2;
  }
  RgbaPicture picture;
  if (readPngFile(options.input, picture, error) != PngReadResult::Read) return failure(error);
  if (options.texture) {
    const std::string advice = textureSizeAdvice(picture.width, picture.height);
    if (!advice.empty()) return failure(options.input + ": " + advice);
  }

  const PaletteMatch palette(options.palette);
  const std::vector<uint8_t> indices = quantisePicture(picture, palette, options.dither);
  if (!writeBmp8(options.output, indices.data(), picture.width, picture.height, picture.width,
                 palette.entries()))
    return failure("cannot write " + options.output + ": " + std::strerror(errno));

  bool used[256] = {};
  int usedCount = 0;
  for (uint8_t i : indices)
    if (!used[i]) used[i] = true, ++usedCount;
  std::printf("%s: %dx%d, %s palette, %d colours\n", options.output.c_str(), picture.width, picture.height,
              options.palette == GamePalette::Playing ? "playing" : "menu", usedCount);
  return 0;
}
