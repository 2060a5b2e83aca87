#include "game/render/render_steps.h"
#include "graphics/rasterkit.h"

namespace {

DeviceContext *const *drawSlot = nullptr;
int width = 0;
int height = 0;

Texture textures[4];  // floor, wall, trap, goal
bool textureLoaded[4];

void setTexture(int slot, const Bitmap *bmp) {
  textureLoaded[slot] = false;
  textures[slot] = {};
  if (!bmp || !bmp->surface || bmp->bitsPerPixel != 8 || bmp->width <= 0 || bmp->height <= 0 ||
      bmp->bytesPerLine <= 0)
    return;
  textures[slot].pixels = bmp->surface;
  textures[slot].width = bmp->width;
  textures[slot].height = bmp->height;
  textures[slot].pixelBytes = static_cast<int64_t>(bmp->bytesPerLine) * bmp->height;
  textureLoaded[slot] = true;
}

}  // namespace

void setRenderTarget(DeviceContext *const *slot, int w, int h) {
  drawSlot = slot;
  // The depth buffer bounds what can be drawn; a larger screen draws nothing.
  bool fits = w > 0 && h > 0 && w <= DepthBufferWidth && h <= DepthBufferHeight;
  width = fits ? w : 0;
  height = fits ? h : 0;
}

int screenWidth() {
  return width;
}
int screenHeight() {
  return height;
}

FrameTarget currentFrameTarget() {
  FrameTarget target{nullptr, 0, width, height};
  if (!drawSlot || width == 0) return target;
  // While the context is current the library works on its mirror, which is
  // what a lock updates.
  const DeviceContext *dc = RK_resolveContext(*drawSlot);
  // Rows are W bytes apart, as the game's back buffer has them; a padded
  // surface keeps its own row length, and one smaller than the screen is not
  // drawn into at all.
  if (!dc || !dc->surface || dc->bitsPerPixel != 8 || dc->bytesPerLine < width || dc->maxX + 1 < width ||
      dc->maxY + 1 < height)
    return target;
  target.pixels = dc->surface;
  target.pitch = dc->bytesPerLine;
  return target;
}

void setFaceTextures(const Bitmap *floor, const Bitmap *wall, const Bitmap *trap, const Bitmap *goal) {
  setTexture(0, floor);
  setTexture(1, wall);
  setTexture(2, trap);
  setTexture(3, goal);
}

const Texture *faceTexture(int32_t type) {
  int slot = 2;
  if (type == FloorFlat || type == FloorSloped) slot = 0;
  if (type == Wall) slot = 1;
  if (type == Goal) slot = 3;
  return textureLoaded[slot] ? &textures[slot] : nullptr;
}
