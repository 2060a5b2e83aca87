// Presenting a page: its pixels become the rows of a device-independent
// bitmap whose colour table is the palette in force, shown with
// StretchDIBits scaled by a whole factor, centred on black.
#include <cstring>

#include "platform/common/page_pixels.h"
#include "platform/win32/win32_internal.h"

namespace {

struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// PaletteEntry and RGBQUAD share their layout: blue, green, red, reserved.
static_assert(sizeof(PaletteEntry) == sizeof(RGBQUAD));

DibHeader shownColours;

void fillBlack(HDC dc, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  RECT r{left, top, right, bottom};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace

PictureArea clientPlacement(Win32Window *w) {
  RECT client{};
  GetClientRect(w->hwnd, &client);
  return fitPicture(client.right, client.bottom, w->pictureWidth, w->pictureHeight);
}

void paintPicture(Win32Window *w, HDC dc) {
  RECT client{};
  GetClientRect(w->hwnd, &client);
  if (!w->hasPicture) {
    fillBlack(dc, 0, 0, client.right, client.bottom);
    return;
  }
  const PictureArea a = fitPicture(client.right, client.bottom, w->pictureWidth, w->pictureHeight);
  // Only the border is filled: the picture covers the rest, without flicker.
  fillBlack(dc, 0, 0, client.right, a.y);
  fillBlack(dc, 0, a.y + a.height, client.right, client.bottom);
  fillBlack(dc, 0, a.y, a.x, a.y + a.height);
  fillBlack(dc, a.x + a.width, a.y, client.right, a.y + a.height);
  BITMAPINFOHEADER &h = shownColours.header;
  h.biSize = sizeof h;
  h.biWidth = w->pictureWidth;
  h.biHeight = -w->pictureHeight;  // rows top first
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(w->pictureBits);
  h.biCompression = BI_RGB;
  h.biClrUsed = w->pictureBits == 8 ? 256 : 0;
  if (w->pictureBits == 8) std::memcpy(shownColours.colours, w->shown, sizeof shownColours.colours);
  // Nearest neighbour: every pixel becomes a sharp block of the factor.
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, a.x, a.y, a.width, a.height, 0, 0, w->pictureWidth, w->pictureHeight, w->dib.data(),
                reinterpret_cast<const BITMAPINFO *>(&shownColours), DIB_RGB_COLORS, SRCCOPY);
}

void win32Present(void *handle, const uint8_t *pixels, int width, int height, int bytesPerLine, int bits,
                  const PaletteEntry *palette, const PixelFormat *format, int waitVRT) {
  Win32Window *w = liveWindow(handle);
  if (!w || !pixels || width <= 0 || height <= 0 || dibBits(bits) == 0) return;
  const size_t size = static_cast<size_t>(dibStride(width, bits)) * static_cast<size_t>(height);
  // Grows once per picture size; every later frame reuses it.
  if (w->dib.size() != size) w->dib.resize(size);
  if (!copyToDib(pixels, width, height, bytesPerLine, bits, format, w->dib.data())) return;
  if (bits == 8) storePalette(w->shown, palette ? palette : w->realized, 256, 0);
  w->pictureWidth = width;
  w->pictureHeight = height;
  w->pictureBits = dibBits(bits);
  w->hasPicture = true;
  if (!IsIconic(w->hwnd)) {
    HDC dc = GetDC(w->hwnd);
    if (dc) {
      paintPicture(w, dc);
      ReleaseDC(w->hwnd, dc);
    }
  }
  if (waitVRT != 0) waitForRetraceTick();
}

void win32RealizePalette(void *handle, const PaletteEntry *entries, int count, int first, int) {
  if (Win32Window *w = liveWindow(handle)) storePalette(w->realized, entries, count, first);
}
