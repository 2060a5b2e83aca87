// The game shell's state: what the menu shows, the lives, the frame-rate line
// and the loaded resources.
#pragma once

#include "graphics/rasterkit.h"

// What differs between kelvaro640 and kelvaro320.
struct BuildConstants {
  int width;
  int height;
  const char *menuPlayBitmap;  // "x640ok.bmp" / "x320ok.bmp"
  const char *menuQuitBitmap;  // "x640quit.bmp" / "x320quit.bmp"
};

struct GameState {
  int menuMode = 1;       // 1: menu shown; 0: playing
  int menuSelection = 0;  // 0 quit, 1 play
  int lives = 3;
  int frameCount = 0;
  char fpsText[64] = "";
  int resourcesLoaded = 0;
};

struct GameResources {
  Font *font = nullptr;
  Bitmap *background = nullptr;
  Bitmap *faceTextures[4] = {};  // text1 .. text4
  Bitmap *lifeIcon = nullptr;
  Bitmap *menuItems[2] = {};  // slot 0 quit, slot 1 play
};

extern GameState game;
extern GameResources resources;

// The screen size W x H taken from the mode in force, and the framework's
// drawDC slot; both set at start-up.
int gameScreenWidth();
int gameScreenHeight();
void setScreenSize(int width, int height);
DeviceContext **gameDrawSlot();
void setGameDrawSlot(DeviceContext **slot);
const BuildConstants &buildConstants();
void setBuildConstants(const BuildConstants &constants);

// Back to the state of a fresh program start (tests run several games in one
// process; the game itself starts once).
void resetGameState();
