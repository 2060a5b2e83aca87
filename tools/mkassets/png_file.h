// PNG files through libpng: 8-bit RGBA, no time stamp, so the same pixels
// always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool writePngFile(const std::string &path, int width, int height, const std::vector<uint8_t> &rgba);
