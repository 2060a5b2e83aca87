// Sizes the course renderer reads without clamping: it steps from one
// texture row to the next by width + 1 bytes, which is the bitmap's own row
// length only when width + 1 is a multiple of 4 (127, 255, ...).
#pragma once

#include <string>

bool textureSizeFits(int width, int height);

// What is wrong with the size and how to fix it; empty when it fits.
std::string textureSizeAdvice(int width, int height);
