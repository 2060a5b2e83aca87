// Speed of the bitmap and text paths the game uses every frame: the 640x480
// back-buffer copy, full-screen and small bitmap draws, the doubling stretch,
// a frame-rate line of text, and reading a 640x480 BMP file.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {

template <typename F>
void measure(const char *what, int repeats, F body) {
  body();  // warm up
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) body();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-44s %10.1f us/call %10.0f calls/s\n", what, seconds * 1e6 / repeats, repeats / seconds);
}

std::vector<uint8_t> bmpFile(int width, int height) {
  std::vector<uint8_t> out(54 + 1024 + size_t(width) * size_t(height), 0);
  auto put32 = [&out](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(14, 40);
  put32(18, uint32_t(width));
  put32(22, uint32_t(height));
  out[26] = 1;
  out[28] = 8;
  for (size_t i = 54 + 1024; i < out.size(); ++i) out[i] = uint8_t(i * 7);
  return out;
}

}  // namespace

int main() {
  DeviceContext *back = RK_openMemoryContext(640, 480, 8, nullptr);
  DeviceContext *screen = RK_openMemoryContext(640, 480, 8, nullptr);
  DeviceContext *doubled = RK_openMemoryContext(1280, 960, 8, nullptr);
  DeviceContext *wide = RK_openMemoryContext(640, 480, 16, nullptr);
  if (!back || !screen || !doubled || !wide) {
    std::fprintf(stderr, "%s\n", RK_errorText(RK_lastError()));
    return 1;
  }
  for (int i = 0; i < 640 * 480; ++i) back->surface[i] = uint8_t(i * 13);

  std::vector<uint8_t> file = bmpFile(640, 480);
  FILE *f = fmemopen(file.data(), file.size(), "rb");
  Bitmap *picture = RK_readBitmapStream(f, 0, 0);
  std::fclose(f);
  std::vector<uint8_t> small = bmpFile(32, 32);
  f = fmemopen(small.data(), small.size(), "rb");
  Bitmap *icon = RK_readBitmapStream(f, 0, 0);
  std::fclose(f);

  // A 5 x 8 proportional font with every code.
  Font *font = RK_allocateFont(RK_FontBitmapTableBytes + 8);
  font->fontType = RK_FontProportional;
  font->fontHeight = 8;
  font->ascent = 7;
  for (int c = 0; c < 256; ++c) {
    font->width[c] = 6;
    font->offset[c] = 0;
    font->bitmapWidth()[c] = 8;
  }
  std::memset(font->glyphBitmaps(), 0xA8, 8);

  measure("copyArea 640x480 8-bit memory to memory", 2000,
          [&] { RK_copyArea(screen, back, 0, 0, 640, 480, 0, 0, 0); });
  measure("copyArea 640x480 8-bit to 16-bit", 100, [&] { RK_copyArea(wide, back, 0, 0, 640, 480, 0, 0, 0); });
  measure("stretchArea 640x480 -> 1280x960 8-bit", 300,
          [&] { RK_stretchArea(doubled, back, 0, 0, 640, 480, 0, 0, 1280, 960); });
  measure("drawBitmapAt 640x480 8-bit", 2000, [&] { RK_drawBitmapAt(back, 0, 0, picture, 0); });
  measure("drawBitmapAt 32x32 8-bit (x4, like life icons)", 20000, [&] {
    for (int i = 0; i < 4; ++i) RK_drawBitmapAt(back, 10 + 40 * i, 400, icon, 0);
  });
  RK_selectContext(back);
  RK_selectFont(font);
  RK_setDrawColor(127);
  measure("drawTextAt \"FPS: 123.4\" (frame-rate line)", 20000, [&] { RK_drawTextAt(0, 0, "FPS: 123.4"); });
  RK_selectContext(nullptr);
  measure("readBitmapStream 640x480 8-bit", 300, [&] {
    FILE *in = fmemopen(file.data(), file.size(), "rb");
    RK_freeBitmap(RK_readBitmapStream(in, 0, 1));
    std::fclose(in);
  });
  RK_freeFont(font);
  RK_freeBitmap(picture);
  RK_freeBitmap(icon);
  RK_closeContext(back);
  RK_closeContext(screen);
  RK_closeContext(doubled);
  RK_closeContext(wide);
  return 0;
}
