// Rasterkit's records: device contexts, palettes, pixel formats, bitmaps and
// the table of driver operations behind every context.
#pragma once

#include <cstdint>

struct PaletteEntry {
  uint8_t blue, green, red, reserved;
};

struct PixelFormat {
  int32_t redMask, greenMask, blueMask, alphaMask;
  int32_t redPos, redAdjust;
  int32_t greenPos, greenAdjust;
  int32_t bluePos, blueAdjust;
  int32_t alphaPos, alphaAdjust;
};

struct Font;

struct TextSettings {
  int32_t horizJustify;  // 0 left, 1 centre, 2 right
  int32_t vertJustify;   // 0 top, 1 centre, 2 bottom, 3 baseline
  int32_t direction;     // 0 left, 1 up, 2 right, 3 down
  int32_t sizeNumX, sizeNumY, sizeDenomX, sizeDenomY;
  int32_t spaceExtra;
  const Font *font;
};

// left, top, right, bottom; right and bottom exclusive.
struct RK_Rect {
  int32_t left, top, right, bottom;
};

// One loaded picture: header, then palette or pixel layout, then the pixels,
// all in one allocation (free it with RK_freeBitmap). Rows top row first.
struct Bitmap {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
  int32_t bytesPerLine;
  uint8_t *surface;
  PaletteEntry *palette;
  PixelFormat *pixelFormat;
};

struct DeviceContext;

// The operations a driver provides for the contexts it serves. A slot left
// null means the driver cannot do it; callers test before calling.
struct DriverTable {
  void (*release)(DeviceContext *dc);
  const PaletteEntry *(*hardwarePalette)(DeviceContext *dc);
  void (*realizePalette)(DeviceContext *dc, const PaletteEntry *entries, int count, int first, int waitVRT);
  void (*setColor)(DeviceContext *dc, uint32_t pixel);
  void (*setBackColor)(DeviceContext *dc, uint32_t pixel);
  void (*setClip)(DeviceContext *dc, const RK_Rect &clip);
  void (*beginAccess)(DeviceContext *dc);
  void (*endAccess)(DeviceContext *dc);
  void (*setWriteMode)(DeviceContext *dc, int mode);
  void (*setActivePage)(DeviceContext *dc, int page);
  void (*setVisualPage)(DeviceContext *dc, int page, int waitVRT);
  // Fills a rectangle in surface coordinates (clipped to the surface).
  void (*fillRect)(DeviceContext *dc, const RK_Rect &rect, uint32_t pixel);
  // 1-bit image at (x, y) in surface coordinates: set bits in the current
  // colour, clear bits leave the surface; clipped to the clip rectangle.
  void (*putMonoImage)(DeviceContext *dc, int x, int y, int bytesPerLine, int height, const uint8_t *bits);
  // Reads a rectangle of a display context into memory pixels.
  void (*getImage)(DeviceContext *dc, const RK_Rect &src, uint8_t *dstPixels, int dstBytesPerLine, int dstX,
                   int dstY);
  // Same pixel format: src is a rectangle of `pixels`, drawn at (dstX, dstY)
  // in surface coordinates.
  void (*putImage)(DeviceContext *dc, const RK_Rect &src, int dstX, int dstY, int op, const uint8_t *pixels,
                   int bytesPerLine);
  // Any pixel format, converted pixel by pixel into the context's format.
  void (*putImageConvert)(DeviceContext *dc, const RK_Rect &src, int dstX, int dstY, int op,
                          const uint8_t *pixels, int bytesPerLine, int bitsPerPixel, const PaletteEntry *palette,
                          const PixelFormat *pixelFormat);
  // Overlap-safe copy inside one context, in surface coordinates.
  void (*copyWithin)(DeviceContext *dc, const RK_Rect &src, int dstX, int dstY, int leftToRight,
                     int topToBottom);
  // Stretches from `src` (surface coordinates of the source) to `dst` at
  // (dstX, dstY): rows doubled, both doubled, or general 16.16 factors.
  void (*stretchDoubleRows)(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                            const PaletteEntry *srcPalette, int palettesEqual);
  void (*stretchDoubleBoth)(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                            const PaletteEntry *srcPalette, int palettesEqual);
  void (*stretchGeneral)(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                         uint32_t factorX, uint32_t factorY, const PaletteEntry *srcPalette, int palettesEqual);
  // A clipped line in the current colour, surface coordinates.
  void (*drawLine)(DeviceContext *dc, int x0, int y0, int x1, int y1);
};

struct ContextAttributes {
  uint32_t color;
  uint32_t backColor;
  uint32_t paletteMapped;
  int32_t writeMode;
  int32_t penStyle;
  int32_t penHeight, penWidth;
  uint32_t lineStyle;
  RK_Rect viewport;  // surface coordinates
  RK_Rect clip;      // viewport coordinates
  int32_t clipOn;
  TextSettings text;
  uint8_t fillPattern[2][8];
};

// Context kinds.
inline constexpr int RK_KindFullScreenFirst = 0;
inline constexpr int RK_KindFullScreenLast = 3;
inline constexpr int RK_KindOffscreenFirst = 4;
inline constexpr int RK_KindOffscreenLast = 5;
inline constexpr int RK_KindWindowed = 6;
inline constexpr int RK_KindMemory = 7;

struct DeviceContext {
  ContextAttributes attributes;

  uint8_t *surface;  // first pixel of the active page
  int32_t maxX, maxY;
  int32_t bitsPerPixel;
  int32_t planes;
  uint32_t maxColor;
  int32_t maxPage;
  int32_t bytesPerLine;
  int32_t redSize, redPos, greenSize, greenPos, blueSize, bluePos, alphaSize, alphaPos;
  PixelFormat pixelFormat;
  PaletteEntry *palette;  // 256 entries, owned by the context
  RK_Rect bounds;
  uint32_t flags;
  void *driverState;  // the driver's record shared by the contexts it serves
  int32_t activePageNo, visualPageNo;
  void *platformWindow;  // windowed contexts: the window they show in
  DeviceContext *backBuffer;
  int32_t kind;
  int32_t accessDepth;  // RK_beginSurfaceAccess nesting; -1 when unlocked
  DriverTable driver;
};
