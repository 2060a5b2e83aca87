#include <cstdio>
#include <string>

#include "game/render/renderer.h"
#include "game/shell/game_frame.h"
#include "game/shell/game_state.h"
#include "game/shell/palettes.h"
#include "game/sim/ball.h"
#include "graphics/rasterkit.h"

namespace {

// A game without its pictures or its font cannot be played; say which file
// and why instead of drawing from an empty slot.
[[noreturn]] void reportMissingResource(const char *name) {
  const std::string text = std::string(RK_errorText(RK_lastError())) + ": " + name;
  RK_reportFatal(text.c_str());
}

Bitmap *readBitmapOrFail(const char *name) {
  Bitmap *bmp = RK_readBitmapFile(name, 0);
  if (!bmp) reportMissingResource(name);
  return bmp;
}

}  // namespace

void loadResources() {
  Font *font = RK_readFontFile("little.fnt");
  if (!font) reportMissingResource("little.fnt");
  RK_selectFont(font);
  // Every mode switch reads the font again; the previous one is no longer
  // selected anywhere, so it can go.
  RK_freeFont(resources.font);
  resources.font = font;

  fillBounceTable();

  if (game.resourcesLoaded) return;
  game.resourcesLoaded = 1;

  resources.background = readBitmapOrFail("bkgr1.bmp");
  resources.faceTextures[0] = readBitmapOrFail("text1.bmp");
  resources.faceTextures[1] = readBitmapOrFail("text2.bmp");
  resources.faceTextures[2] = readBitmapOrFail("text3.bmp");
  resources.faceTextures[3] = readBitmapOrFail("text4.bmp");
  resources.lifeIcon = readBitmapOrFail("leben.bmp");
  resources.menuItems[1] = readBitmapOrFail(buildConstants().menuPlayBitmap);
  resources.menuItems[0] = readBitmapOrFail(buildConstants().menuQuitBitmap);
  setFaceTextures(resources.faceTextures[0], resources.faceTextures[1], resources.faceTextures[2],
                  resources.faceTextures[3]);

  setMenuPalette();
  prepareBallModel();
}
