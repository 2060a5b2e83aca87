// The game's two palettes, as the game loads them: the menu palette (the
// menu pictures use entries 0..253) and the playing palette (background and
// textures 0..127; 128..255 are the ball's two shading ramps).
#pragma once

#include <array>
#include <cstdint>

struct PaletteColour {
  uint8_t r, g, b;
};

using Palette = std::array<PaletteColour, 256>;

const Palette &menuPalette();
const Palette &playingPalette();

// Entries the pictures may use.
inline constexpr int MenuColourLast = 253;
inline constexpr int PlayingSceneryLast = 127;
inline constexpr int GreenRampBase = 128;
inline constexpr int BlueRampBase = 192;
