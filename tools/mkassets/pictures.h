// The game's pictures, each computed from scratch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "pixel_font.h"

// Playing palette, entries 0..127: the dusk sky behind the course, wide
// enough for the whole scroll (400 pixels per unit over 1.1 units) plus the
// 640-pixel screen.
IndexedImage makeBackground();

// What sets one background apart from another: the sky's colour stops from
// the top down, the sun (x, how far below the horizon its centre sits,
// radius, core and rim colours), the two ridges of hills (colours at their
// top and deeper down, how much higher and how much steeper than the
// game's own) and the number of stars. Every colour is matched to the
// playing palette's entries 0..127.
struct SkyStop {
  int y;
  uint32_t rgb;
};
struct BackgroundLook {
  std::vector<SkyStop> sky;
  double sunX, sunDrop, sunRadius;
  uint32_t sunCore, sunRim;
  uint32_t farTop, farBottom, nearTop, nearBottom;
  double ridgeLift, ridgeScale;
  uint32_t stars;
};
IndexedImage makeBackground(const BackgroundLook &look);

// A floor of stone tiles: the two tile tones and the joints.
struct FloorLook {
  uint32_t tileA, tileB, joint;
};
IndexedImage makeFloorTexture(const FloorLook &look);

// The pictures of a course with a look of its own, by the course's name;
// false for a name without one.
struct CoursePicture {
  const char *file;
  IndexedImage image;
};
bool makeCourseLook(const std::string &course, std::vector<CoursePicture> &pictures);

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
