// Private to Rasterkit's core: the lists of live contexts, the common
// context set-up, the packed-pixel helpers the drivers share, full-screen
// bookkeeping and the library's start-up state.
#pragma once

#include <cstdint>

#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"

// ---- Live contexts ----------------------------------------------------------
// Adds a context to the list of its kind; false when the list cannot grow.
bool RK_listContext(DeviceContext *dc);
// Removes a context from whichever list holds it; false when none does.
bool RK_unlistContext(DeviceContext *dc);
bool RK_isLiveContext(const DeviceContext *dc);
int RK_displayContextCount();
DeviceContext *RK_firstDisplayContext();
// Closes every context of the given kinds' list, newest first.
void RK_closeMemoryContexts();
void RK_closeWindowedContexts();
void RK_closeOffscreenContexts();

// ---- Records ----------------------------------------------------------------
DeviceContext *RK_allocateContext();
// Frees a record that never became live (its palette too, if any).
void RK_discardContext(DeviceContext *dc);
// Sets a fresh record up through a driver's set-up operation: bounds,
// palette, hardware palette and defaults. `kind` is the kind being created;
// it picks the error code of a failure. Returns 1 on success; on failure
// the driver's resources are released and the record is left for the
// caller to discard.
int RK_setUpContext(DeviceContext *dc, RK_SetupFunc setup, int driverId, int mode, void *window, int pages,
                    int kind);
// Reads the driver's hardware palette into the context's own palette.
void RK_readHardwarePalette(DeviceContext *dc);

// ---- Current context --------------------------------------------------------
// Called when `dc` is about to be freed: no context is current afterwards
// if it was, and the mirror keeps no pointer into it.
void RK_forgetIfCurrent(DeviceContext *dc);

// ---- Packed pixels ------------------------------------------------------------
// Bytes of one row of `width` pixels at `bits` per pixel (15 counts as 16).
int64_t RK_packedRowBytes(int64_t width, int bits);
int RK_bytesPerPixel(int bits);
void RK_writePackedPixel(uint8_t *row, int x, int bits, uint32_t pixel);
uint32_t RK_readPackedPixel(const uint8_t *row, int x, int bits);
// The fill operation every packed surface uses.
void RK_packedFillRect(DeviceContext *dc, const RK_Rect &rect, uint32_t pixel);
// Attribute operations shared by all packed-pixel drivers.
void RK_installPackedAttributeOps(DriverTable &table);
// The usual direct-colour layout of a depth: 5-5-5, 5-6-5 or 8-8-8.
PixelFormat RK_defaultPixelFormat(int bits);
// Copies a PixelFormat's channels into the record's size/position fields.
void RK_describeChannels(DeviceContext *dc);
uint32_t RK_maxColorOfDepth(int bits);

// ---- Full-screen output -----------------------------------------------------
void RK_noteFullScreen(void *window);
bool RK_fullScreenActive();

// ---- Library state ------------------------------------------------------------
bool RK_libraryInitialised();
void RK_markLibraryInitialised(bool on);
// The start-up (scratch buffer, library path) has run; only RK_shutdown
// undoes it, so an RK_init that failed after it does not repeat it.
bool RK_libraryStartedUp();
void RK_markLibraryStartedUp(bool on);
// Allocates the rendering scratch buffer; false when memory runs out.
bool RK_allocateScratch();
void RK_releaseScratch();
void RK_storeLibraryPath(const char *path);
void RK_forgetMainWindow();
void RK_assignPlatform(const RK_Platform *platform);
