// The course choice is drawn in the menu palette (loaded whenever the menu
// is shown); these are the entries it uses.
#pragma once

#include <cstdint>

namespace ChoiceColour {
inline constexpr uint8_t Ground = 0;         // 000000
inline constexpr uint8_t Bar = 20;           // 101084: the chosen entry's bar
inline constexpr uint8_t Frame = 23;         // 1010F7
inline constexpr uint8_t Text = 185;         // FFFFFF
inline constexpr uint8_t Title = 182;        // FFE700
inline constexpr uint8_t Faint = 174;        // FFA500: descriptions and hints
inline constexpr uint8_t Gold = 181;         // FFDE00
inline constexpr uint8_t Silver = 185;       // FFFFFF
inline constexpr uint8_t Bronze = 169;       // FF7300
inline constexpr uint8_t Message = 162;      // FF3900
inline constexpr uint8_t PictureGround = 8;  // 080829
inline constexpr uint8_t FlatFloor = 64;     // 18C618
inline constexpr uint8_t SlopedFloor = 57;   // 188418
inline constexpr uint8_t Wall = 51;          // 1842CE
inline constexpr uint8_t Trap = 155;         // FF0000
inline constexpr uint8_t Goal = 184;         // FFFF00
}  // namespace ChoiceColour
