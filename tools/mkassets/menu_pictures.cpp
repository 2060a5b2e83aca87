#include <algorithm>
#include <cmath>

#include "colour_match.h"
#include "pictures.h"
#include "text_drawing.h"

namespace {

int menuColour(uint32_t rgb) {
  return nearestColour(menuPalette(), hexColour(rgb), 0, MenuColourLast);
}

void fillRect(IndexedImage &image, int x0, int y0, int x1, int y1, int colour) {
  for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x) image.at(x, y) = uint8_t(colour);
  }
}

// Night-blue backdrop with a receding grid in the lower part.
void drawBackdrop(IndexedImage &image) {
  const Palette &pal = menuPalette();
  const int w = image.width, h = image.height;
  const int horizon = h * 62 / 100;
  for (int y = 0; y < h; ++y) {
    const double t = double(y) / (h - 1);
    const Rgb c = y < horizon ? mix(hexColour(0x080829), hexColour(0x1010A5), t / 0.62)
                              : mix(hexColour(0x08006B), hexColour(0x080829), (t - 0.62) / 0.38);
    for (int x = 0; x < w; ++x)
      image.at(x, y) = uint8_t(ditheredColour(pal, c, x, y, 10.0, 0, MenuColourLast));
  }
  const int line = menuColour(0x1839B5);
  // Rows of the floor grid, closer together towards the horizon.
  for (int i = 1; i < 12; ++i) {
    const int y = horizon + int((h - horizon) * (i * i) / 121.0);
    fillRect(image, 0, y, w, y + std::max(1, w / 640), line);
  }
  // Lines running towards a vanishing point above the horizon's centre.
  const double vx = w / 2.0, vy = horizon - h * 0.15;
  for (int i = -12; i <= 12; ++i) {
    const double bottomX = w / 2.0 + i * w / 8.0;
    for (int y = horizon; y < h; ++y) {
      const double t = (y - vy) / (h - vy);
      const int x = int(std::floor(vx + (bottomX - vx) * t));
      if (x >= 0 && x < w) image.at(x, y) = uint8_t(line);
    }
  }
}

void drawTitle(IndexedImage &image, const PixelFont &font, int scale) {
  const std::string title = "Kelvaro";
  const int x = (image.width - textWidth(font, title, scale)) / 2;
  const int y = image.height * 10 / 100;
  const int shadow = std::max(1, scale * 6 / 10);
  const int black = menuColour(0x000000);
  drawText(image, font, title, x + shadow, y + shadow, scale, [&](int, int) { return black; });
  const int textHeight = font.ascent * scale;
  drawText(image, font, title, x, y, scale, [&](int row, int) {
    // Sunset colours from the top of the letters down.
    const double t = std::min(1.0, double(row) / textHeight);
    const Rgb c = t < 0.5 ? mix(hexColour(0xFFFF00), hexColour(0xFF9400), t * 2)
                          : mix(hexColour(0xFF9400), hexColour(0xE70000), (t - 0.5) * 2);
    return nearestColour(menuPalette(), c, 0, MenuColourLast);
  });
}

void drawItem(IndexedImage &image, const PixelFont &font, const std::string &text, int centreY, int scale,
              bool chosen) {
  const int width = textWidth(font, text, scale);
  const int height = font.ascent * scale;
  const int x = (image.width - width) / 2, y = centreY - height / 2;
  if (chosen) {
    const int padX = scale * 11, padY = scale * 3, border = std::max(1, scale / 2);
    fillRect(image, x - padX, y - padY, x + width + padX, y + height + padY, menuColour(0xFF8C00));
    fillRect(image, x - padX + border, y - padY + border, x + width + padX - border,
             y + height + padY - border, menuColour(0x840000));
    const int arrow = menuColour(0xFFFF00);
    drawText(image, font, ">", x - padX + scale * 2, y, scale, [&](int, int) { return arrow; });
    drawText(image, font, "<", x + width + padX - scale * 6, y, scale, [&](int, int) { return arrow; });
    drawText(image, font, text, x, y, scale,
             [&](int row, int) { return menuColour(row < height / 2 ? 0xFFFF00 : 0xFFC600); });
  } else {
    const int shade = menuColour(0x080829);
    drawText(image, font, text, x + std::max(1, scale / 2), y + std::max(1, scale / 2), scale,
             [&](int, int) { return shade; });
    const int white = menuColour(0xFFFFFF);
    drawText(image, font, text, x, y, scale, [&](int, int) { return white; });
  }
}

}  // namespace

IndexedImage makeMenuPicture(const PixelFont &font, int width, bool playChosen) {
  IndexedImage image(width, width * 3 / 4, 0);
  const bool large = width >= 640;
  drawBackdrop(image);
  drawTitle(image, font, large ? 10 : 5);
  const int itemScale = large ? 5 : 3;
  drawItem(image, font, "Spielen", image.height * 52 / 100, itemScale, playChosen);
  drawItem(image, font, "Beenden", image.height * 68 / 100, itemScale, !playChosen);
  const std::string help = "Auf/Ab: Auswahl    Rechts: Start";
  const int helpScale = large ? 2 : 1;
  const int helpColour = menuColour(0x8CFF8C);
  drawText(image, font, help, (image.width - textWidth(font, help, helpScale)) / 2, image.height * 90 / 100,
           helpScale, [&](int, int) { return helpColour; });
  return image;
}
