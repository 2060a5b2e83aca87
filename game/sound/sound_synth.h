// Draws the game's sounds into sample tables at the device's rate: soft sine,
// triangle and pulse tones with short envelopes, in the manner of the arcade
// machines of the late 1990s. No recorded samples: everything is computed.
#pragma once

#include <cstdint>
#include <vector>

#include "game/sound/sound_kind.h"

// The loudest sample any table holds. The mixer plays at most
// MaxVoices sounds at once, so their sum stays inside 16 bits.
inline constexpr int SoundPeak = 6000;

std::vector<int16_t> synthesiseSound(SoundKind kind, int rate);
