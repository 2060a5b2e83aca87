// The program's icon: the game's ball, lit as the game lights it, with a
// soft edge on a transparent ground, at any square size.
#pragma once

#include <cstdint>
#include <vector>

// size x size pixels, 4 bytes each (red, green, blue, alpha), rows top down.
std::vector<uint8_t> makeAppIcon(int size);

// The sizes installed for desktops (hicolor theme) and the one the window
// carries.
inline constexpr int AppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr int WindowIconSize = 64;
