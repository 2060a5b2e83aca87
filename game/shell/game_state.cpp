#include "game/shell/game_state.h"

GameState game;
GameResources resources;

namespace {
int width = 0;
int height = 0;
DeviceContext **drawSlot = nullptr;
BuildConstants constants = {640, 480, "x640ok.bmp", "x640quit.bmp"};
}  // namespace

int gameScreenWidth() {
  return width;
}
int gameScreenHeight() {
  return height;
}

void setScreenSize(int w, int h) {
  width = w;
  height = h;
}

DeviceContext **gameDrawSlot() {
  return drawSlot;
}
void setGameDrawSlot(DeviceContext **slot) {
  drawSlot = slot;
}
const BuildConstants &buildConstants() {
  return constants;
}
void setBuildConstants(const BuildConstants &c) {
  constants = c;
}

void resetGameState() {
  RK_freeFont(resources.font);
  RK_freeBitmap(resources.background);
  for (Bitmap *b : resources.faceTextures) RK_freeBitmap(b);
  RK_freeBitmap(resources.lifeIcon);
  for (Bitmap *b : resources.menuItems) RK_freeBitmap(b);
  game = GameState{};
  resources = GameResources{};
}
