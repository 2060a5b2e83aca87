// The game's two fixed palettes: the menu's and the playing one with the
// ball's two shading ramps.
#pragma once

#include "graphics/rk_types.h"

inline constexpr int MenuPaletteLoadCount = 254;
inline constexpr int GamePaletteLoadCount = 256;

// Build all 256 entries in PaletteEntry order (entries the menu never loads
// are built too, so callers see one shape).
void buildMenuPalette(PaletteEntry entries[256]);
void buildGamePalette(PaletteEntry entries[256]);

// Build, then load into the display, the back buffer and the drawing target.
void setMenuPalette();
void setGamePalette();
