// The library's built-in drivers: the set-up operations their headers point
// at, and the detection of the display families through the back end.
#pragma once

#include "graphics/rasterkit.h"

// Driver identifiers.
inline constexpr int RK_DriverMemory = 0;
inline constexpr int RK_DriverVGA = 1;
inline constexpr int RK_DriverDIB = 2;
inline constexpr int RK_DriverLinear = 3;
inline constexpr int RK_DriverAccelerated = 4;
inline constexpr int RK_DriverDirectDraw = 6;
inline constexpr int RK_DriverOpenGLWindowed = 9;
inline constexpr int RK_DriverOpenGLFullScreen = 11;

// Set-up of a memory context ("PACK1.DRV" .. "PACK32.DRV"): the caller has
// filled maxX, maxY, bitsPerPixel, bytesPerLine, surface (may be null: the
// driver allocates it) and pixelFormat.
int RK_setupMemoryContext(DeviceContext *dc, int driverId, int mode, void *window, int pages, int opt1, int opt2,
                          int opt3, int opt4);
// Set-up of a full-screen display context of the chosen mode through the
// display back end, with its pages in memory.
int RK_setupDisplayContext(DeviceContext *dc, int driverId, int mode, void *window, int pages, int opt1,
                           int opt2, int opt3, int opt4);
// Set-up of a windowed context ("WINDC.DRV").
int RK_setupWindowContext(DeviceContext *dc, int driverId, int mode, void *window, int pages, int opt1,
                          int opt2, int opt3, int opt4);
const DriverHeader *RK_windowDriverHeader();

// Detection of the full-screen DIB and DirectDraw families: every mode of the
// fixed table at the slot's depth that the back end can show.
int RK_detectDisplayFamily(int slot, int requestedDriver, int *driver, int *suggestedMode, ModeEntry *modes);

// The mode number the context set-up works for (RK_chooseMode's record) and
// the registry's entry for it.
const ModeEntry *RK_modeEntry(int mode);
const DriverSlot *RK_driverSlot(int slot);

// Implemented with the contexts, used by RK_chooseMode: close every
// off-screen and display context, and leave full-screen output.
void RK_closeDisplayContexts();
void RK_returnToDesktop();
