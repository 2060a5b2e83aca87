// Big blocky text for the menu pictures, drawn from the pixel font.
#pragma once

#include <functional>
#include <string>

#include "image.h"
#include "pixel_font.h"

// Width in pixels of `text` at `scale` (each font pixel a scale x scale block).
int textWidth(const PixelFont &font, const std::string &text, int scale);

// Draws the ink of `text` with its top-left corner at (x, y); `colourAt`
// gives the palette index for a pixel from its row within the text (0 to
// height * scale - 1) and its column.
void drawText(IndexedImage &image, const PixelFont &font, const std::string &text, int x, int y, int scale,
              const std::function<int(int row, int column)> &colourAt);
