// Rasterkit: the game's graphics library. Device contexts, the current-context
// mirror, palettes and colours, errors, the driver and mode registry, bitmap
// files and bitmap drawing, font files and text.
#pragma once

#include <cstdint>
#include <cstdio>

#include "graphics/rk_types.h"

// ---- Errors ---------------------------------------------------------------
int RK_lastError();  // returns the last error code and resets it to 0
const char *RK_errorText(int code);
void RK_setLastError(int code);  // for the library's own modules
[[noreturn]] void RK_reportFatal(const char *text);

// ---- Start-up and shut-down -----------------------------------------------
int RK_init(int *driver, int *mode, const char *path);
void RK_shutdown();
const char *RK_libraryPath();

// ---- Contexts -------------------------------------------------------------
DeviceContext *RK_openDisplay(int pages);
DeviceContext *RK_openWindowContext(void *window);
DeviceContext *RK_openMemoryContext(int width, int height, int bitsPerPixel, const PixelFormat *pf,
                                    int bytesPerLine = 0, uint8_t *surface = nullptr, void *bitmapHandle = nullptr);
int RK_closeContext(DeviceContext *dc);
DeviceContext *RK_selectContext(DeviceContext *dc);
void RK_syncCurrent(DeviceContext *dc);
DeviceContext *RK_currentContext();
// The mirror every drawing operation works on while a context is current.
DeviceContext *RK_currentMirror();
// The context itself, or the mirror when it is current.
DeviceContext *RK_resolveContext(DeviceContext *dc);
void RK_resetAttributes(DeviceContext *dc);
// Contexts created and not yet closed, of every kind.
int RK_liveContextCount();

int RK_pixelDepth(const DeviceContext *dc);
int RK_lastPage(const DeviceContext *dc);
int RK_lastColumn(const DeviceContext *dc);
int RK_lastRow(const DeviceContext *dc);
int RK_contextFlags(const DeviceContext *dc);
void RK_pixelLayout(const DeviceContext *dc, PixelFormat *out);
int RK_isDisplayContext(const DeviceContext *dc);
int RK_isWindowedContext(const DeviceContext *dc);
int RK_isMemoryContext(const DeviceContext *dc);

int RK_drawnPage(const DeviceContext *dc);
int RK_shownPage(const DeviceContext *dc);
void RK_drawToPage(DeviceContext *dc, int page);
// A windowed context has one page: showing it presents that page to its window.
void RK_showPage(DeviceContext *dc, int page, int waitVRT);
void RK_flipPages(DeviceContext *dc, int waitVRT);

void RK_beginSurfaceAccess();
void RK_endSurfaceAccess();

// ---- Platform hooks -------------------------------------------------------
using RK_SuspendHandler = int (*)(DeviceContext *dc, int reason);
void RK_recordInstance(void *instance);
void RK_recordMainWindow(void *window);
void *RK_mainWindow();
void RK_setSuspendHandler(RK_SuspendHandler handler);
RK_SuspendHandler RK_suspendHandler();
void RK_notifyActivation(DeviceContext *dc, int active);
int RK_realizeWindowPalette(DeviceContext *dc, int unrealizeFirst);
void RK_clearCurrent();

// ---- Colour and palette ---------------------------------------------------
uint32_t RK_mapColorIndex(const DeviceContext *dc, int index);
void RK_setDrawColor(int index);
void RK_storePaletteEntry(DeviceContext *dc, int index, int red, int green, int blue);
void RK_setPaletteRange(DeviceContext *dc, const PaletteEntry *entries, int count, int first);
int RK_paletteSize(const DeviceContext *dc);
void RK_realizePaletteRange(DeviceContext *dc, int count, int first, int waitVRT);
uint32_t RK_packPixel(const PixelFormat &pf, int red, int green, int blue);
void RK_unpackPixel(const PixelFormat &pf, uint32_t pixel, int *red, int *green, int *blue);
PixelFormat RK_pixelFormatFromChannels(int redSize, int redPos, int greenSize, int greenPos, int blueSize,
                                       int bluePos, int alphaSize, int alphaPos);

// ---- Driver and mode registry ---------------------------------------------
inline constexpr int RK_ModeCount = 87;      // mode numbers 0..86
inline constexpr int RK_ModeDesktop = 86;    // not a mode: back to the desktop
inline constexpr int RK_ModeListEnd = 255;
inline constexpr int RK_DriverSlotCount = 35;

struct ModeEntry {
  uint8_t driverSlot;  // 255: not available
  uint8_t flags;
  int32_t pages;
};

// Detection: (slot, requested driver identifier or 255, driver variable,
// suggested-mode variable, mode table) -> nonzero when it detected anything.
using RK_DetectFunc = int (*)(int slot, int requestedDriver, int *driver, int *suggestedMode, ModeEntry *modes);
// Context set-up: (context, driver identifier, mode, window, pages, and the
// four creation options -1, -1, 0, -1) -> 1 on success.
using RK_SetupFunc = int (*)(DeviceContext *dc, int driverId, int mode, void *window, int pages, int opt1,
                             int opt2, int opt3, int opt4);

#pragma pack(push, 1)
struct DriverHeader {
  char signature[18];  // "Rasterkit Driver:" and a zero byte
  char name[13];
  char description[108];
  uint8_t versionMajor;
  uint8_t versionMinor;
  uint8_t driverId;
  RK_DetectFunc detect;  // absent (null) for the memory drivers
  RK_SetupFunc setup;
};
#pragma pack(pop)

struct DriverSlot {
  char name[13];
  int32_t registered;
  const DriverHeader *header;
};

void RK_clearDriverRegistry();
int RK_addDriver(const char *name, const DriverHeader *header);
// The library's built-in header of a driver name, or null.
const DriverHeader *RK_builtinDriver(const char *name);
void RK_detectHardware(int *driver, int *mode);
int RK_chooseMode(int mode);
int RK_chosenMode();
int RK_modeSize(int mode, int *x, int *y, int *bits);
const char *RK_modeDriver(int mode);
const uint8_t *RK_modeList();
int RK_modePages(int mode);
int RK_modeAttributes(int mode);

// ---- Files ----------------------------------------------------------------
inline constexpr int RK_PathMax = 260;
int RK_findFileOnPath(char *found, const char *subdir, const char *name, const char *mode);

// ---- Bitmaps --------------------------------------------------------------
Bitmap *RK_readBitmapFile(const char *name, int wantPalette);
Bitmap *RK_readBitmapStream(FILE *file, long offset, int wantPalette);
void RK_freeBitmap(Bitmap *bmp);
void RK_drawBitmapAt(DeviceContext *dc, int x, int y, const Bitmap *bmp, int op);
void RK_copyArea(DeviceContext *dst, DeviceContext *src, int left, int top, int right, int bottom, int dstX,
                 int dstY, int op);
void RK_stretchArea(DeviceContext *dst, DeviceContext *src, int left, int top, int right, int bottom,
                    int dstLeft, int dstTop, int dstRight, int dstBottom);

// ---- Fonts and text -------------------------------------------------------
Font *RK_readFontFile(const char *name);
Font *RK_readFontStream(FILE *file, long offset, long size);
void RK_freeFont(Font *font);
int RK_selectFont(const Font *font);
void RK_applyTextSettings(const TextSettings *ts);
void RK_drawTextAt(int x, int y, const char *text);
int RK_measureText(const char *text);
int RK_glyphAdvance(char c);
