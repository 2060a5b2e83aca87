// Private to the driver and mode registry.
#pragma once

#include <array>

#include "graphics/rasterkit.h"

// The built-in drivers' names, by slot number.
inline constexpr std::array<const char *, RK_DriverSlotCount> kDriverSlotNames{
    "PACK1.DRV",    "PACK4.DRV",    "PACK8.DRV",   "PACK16.DRV",  "PACK24.DRV",  "PACK32.DRV",
    "VGA4.DRV",     "VGAX.DRV",     "VGA8.DRV",    "SVGA4.DRV",   "SVGA8.DRV",   "SVGA16.DRV",
    "SVGA24.DRV",   "SVGA32.DRV",   "FDIB8.DRV",   "FDIB16.DRV",  "FDIB24.DRV",  "FDIB32.DRV",
    "DDRAW8.DRV",   "DDRAW16.DRV",  "DDRAW24.DRV", "DDRAW32.DRV", "LINEAR8.DRV", "LINEAR16.DRV",
    "LINEAR24.DRV", "LINEAR32.DRV", "ACCEL8.DRV",  "ACCEL16.DRV", "ACCEL24.DRV", "ACCEL32.DRV",
    "OPENGL.DRV",   "FSOGL8.DRV",   "FSOGL16.DRV", "FSOGL24.DRV", "FSOGL32.DRV",
};

inline constexpr int kFirstDibSlot = 14;
inline constexpr int kFirstDirectDrawSlot = 18;

// The built-in driver header of a slot number, or null.
const DriverHeader *builtinDriverOfSlot(int slot);
