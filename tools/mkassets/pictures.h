// The game's pictures, each computed from scratch.
#pragma once

#include "image.h"
#include "pixel_font.h"

// Playing palette, entries 0..127: the dusk sky behind the course, wide
// enough for the whole scroll (400 pixels per unit over 1.1 units) plus the
// 640-pixel screen.
IndexedImage makeBackground();

// Playing palette, entries 0..127, 255 x 255 (a row step of width + 1 bytes
// matches the file's rows). A face shows the lower-left half of its texture,
// and the two faces of a rectangle show that half once upright and once
// turned by 180 degrees, so each pattern is symmetric under that turn.
IndexedImage makeFloorTexture();
IndexedImage makeWallTexture();
IndexedImage makeTrapTexture();
IndexedImage makeGoalTexture();

// Playing palette: the ball in its two shading ramps, on black.
IndexedImage makeLifeIcon();

// Menu palette, entries 0..253: the title and the two items, one of them
// chosen. `width` is 640 or 320 (height 3/4 of it).
IndexedImage makeMenuPicture(const PixelFont &font, int width, bool playChosen);
