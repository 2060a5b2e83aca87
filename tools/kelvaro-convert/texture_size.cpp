#include "tools/kelvaro-convert/texture_size.h"

namespace {

// Faces show texels up to width - 2 and height - 2, so a texture needs a
// row and a column beyond the ones it shows.
constexpr int MinWidth = 3;
constexpr int MinHeight = 2;

}  // namespace

bool textureSizeFits(int width, int height) {
  return width >= MinWidth && height >= MinHeight && (width + 1) % 4 == 0;
}

std::string textureSizeAdvice(int width, int height) {
  if (textureSizeFits(width, height)) return {};
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (height < MinHeight)
    return "a texture needs at least " + std::to_string(MinHeight) + " rows, this one is " + size +
           "; make it taller (127 or 255 rows suit)";
  const int below = ((width + 1) / 4) * 4 - 1;
  const int above = below + 4;
  std::string fix = below >= MinWidth ? std::to_string(below) + " or " + std::to_string(above)
                                      : std::to_string(above);
  return "a texture's width plus one must be a multiple of 4 (such as 127 or 255), this one is " + size +
         "; scale or crop it to " + fix + " pixels wide";
}
