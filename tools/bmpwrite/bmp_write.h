// 8-bit Windows bitmap files: uncompressed, rows bottom-up, a 256-entry
// palette, rows padded to four bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/rk_types.h"

// The file image of a width x height 8-bit picture whose rows are
// `bytesPerLine` apart in `pixels`, top row first. Each palette entry is
// written blue, green, red and a zero byte, whatever its spare byte holds.
std::vector<uint8_t> encodeBmp8(const uint8_t *pixels, int width, int height, int bytesPerLine,
                                const PaletteEntry palette[256]);

// Writes the file; false (with errno describing why) when it can't be
// written completely. A failed write never leaves a partly written file
// under `path`.
bool writeBmp8(const std::string &path, const uint8_t *pixels, int width, int height, int bytesPerLine,
               const PaletteEntry palette[256]);
