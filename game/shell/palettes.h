// The game's two fixed palettes: the menu's and the playing one with the
// ball's two shading ramps.
#pragma once

#include "game/shell/palette_tables.h"

inline constexpr int MenuPaletteLoadCount = 254;
inline constexpr int GamePaletteLoadCount = 256;

// Build, then load into the display, the back buffer and the drawing target.
void setMenuPalette();
void setGamePalette();
