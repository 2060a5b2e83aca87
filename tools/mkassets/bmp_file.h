// The pictures go out through the tools' shared 8-bit bitmap writer:
// uncompressed, bottom row first.
#pragma once

#include <string>

#include "image.h"
#include "palettes.h"

// The palette goes into the file for picture viewers; the game reads the
// pixels only. Entries from `colourCount` on are written black.
bool writeBitmapFile(const std::string &path, const IndexedImage &image, const Palette &palette,
                     int colourCount);
