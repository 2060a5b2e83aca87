// The colours of the game's two palettes, built from constants. The content
// tools draw the pictures in the same colours.
#pragma once

#include "graphics/rk_types.h"

// Build all 256 entries in PaletteEntry order (entries the menu never loads
// are built too, so callers see one shape).
void buildMenuPalette(PaletteEntry entries[256]);
void buildGamePalette(PaletteEntry entries[256]);
