#include "text_drawing.h"

int textWidth(const PixelFont &font, const std::string &text, int scale) {
  int width = 0;
  for (unsigned char c : text) width += (font.glyphs.at(c).width + 1) * scale;
  return width > 0 ? width - scale : 0;  // no spacing after the last glyph
}

void drawText(IndexedImage &image, const PixelFont &font, const std::string &text, int x, int y, int scale,
              const std::function<int(int row, int column)> &colourAt) {
  int penX = x;
  for (unsigned char c : text) {
    const PixelGlyph &g = font.glyphs.at(c);
    for (int gy = 0; gy < font.height; ++gy) {
      for (int gx = 0; gx < g.width; ++gx) {
        if (!g.ink(gx, gy)) continue;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            const int px = penX + gx * scale + dx, py = y + gy * scale + dy;
            if (image.contains(px, py)) image.at(px, py) = uint8_t(colourAt(gy * scale + dy, px - x));
          }
        }
      }
    }
    penX += (g.width + 1) * scale;
  }
}
