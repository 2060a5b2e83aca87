// The packed-pixel drivers' image, blit, stretch and line operations, as
// RK_installImageOperations puts them into a DriverTable.
#pragma once

#include "graphics/rk_types.h"

namespace rkimg {

void stretchDoubleRows(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                       const PaletteEntry *srcPalette, int palettesEqual);
void stretchDoubleBoth(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                       const PaletteEntry *srcPalette, int palettesEqual);
void stretchGeneral(DeviceContext *dst, DeviceContext *src, const RK_Rect &srcRect, int dstX, int dstY,
                    uint32_t factorX, uint32_t factorY, const PaletteEntry *srcPalette, int palettesEqual);
void drawLine(DeviceContext *dc, int x0, int y0, int x1, int y1);
// A one-pixel line in the current colour and write mode that the caller has
// checked to lie inside the drawable area: no per-pixel clipping.
void drawLineInside(DeviceContext *dc, int x0, int y0, int x1, int y1);

}  // namespace rkimg
