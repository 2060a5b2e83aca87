#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/rasterkit.h"

namespace {

constexpr int kErrInvalidBitmap = -22;
constexpr int kErrBitmapNotFound = -23;
constexpr int kErrNoMemory = -10;
// Larger pictures are refused rather than allocated: a side beyond this or
// more pixel bytes than kMaxPixelBytes.
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxPixelBytes = int64_t(256) << 20;

uint32_t le32(const uint8_t *p) {
  return p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t le16(const uint8_t *p) {
  return uint16_t(p[0] | (p[1] << 8));
}

PixelFormat layout(int32_t rm, int32_t gm, int32_t bm, int32_t am, int32_t rp, int32_t ra, int32_t gp,
                   int32_t ga, int32_t bp, int32_t ba, int32_t ap, int32_t aa) {
  return PixelFormat{rm, gm, bm, am, rp, ra, gp, ga, bp, ba, ap, aa};
}

// The pixel layout a direct-colour file gets, by depth and bit-field masks.
PixelFormat directLayout(int fileBits, bool bitFields, uint32_t redMask, uint32_t greenMask,
                         int *storedBits) {
  *storedBits = fileBits;
  switch (fileBits) {
    case 16:
      if (bitFields && greenMask == 0x7E0) return layout(0x1F, 0x3F, 0x1F, 0, 11, 3, 5, 2, 0, 3, 0, 0);
      *storedBits = 15;
      return layout(0x1F, 0x1F, 0x1F, 0x1, 10, 3, 5, 3, 0, 3, 15, 7);
    case 24:
      if (bitFields && redMask == 0xFF) return layout(0xFF, 0xFF, 0xFF, 0, 0, 0, 8, 0, 16, 0, 0, 0);
      return layout(0xFF, 0xFF, 0xFF, 0, 16, 0, 8, 0, 0, 0, 0, 0);
    default:  // 32
      if (!bitFields) return layout(0xFF, 0xFF, 0xFF, 0xFF, 16, 0, 8, 0, 0, 0, 24, 0);
      if (redMask == 0xFF) return layout(0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 8, 0, 16, 0, 24, 0);
      if (redMask == 0xFF00) return layout(0xFF, 0xFF, 0xFF, 0xFF, 8, 0, 16, 0, 24, 0, 0, 0);
      if (redMask == 0xFF0000) return layout(0xFF, 0xFF, 0xFF, 0xFF, 16, 0, 8, 0, 0, 0, 24, 0);
      return layout(0xFF, 0xFF, 0xFF, 0xFF, 24, 0, 16, 0, 8, 0, 0, 0);
  }
}

int64_t rowBytes(int64_t width, int bits) {
  switch (bits) {
    case 1:
      return (width + 7) / 8;
    case 4:
      return (width + 1) / 2;
    case 8:
      return width;
    case 16:
      return 2 * width;
    case 24:
      return 3 * width;
    default:
      return 4 * width;
  }
}

Bitmap *fail(int code) {
  RK_setLastError(code);
  return nullptr;
}

// Bytes in the stream from its current position to its end, or -1 when the
// stream can't say.
long bytesToEnd(FILE *file) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
  return end - here;
}

// Many writers leave room between the colour table (or masks) and the pixels,
// or put an optional colour table before direct-colour pixels; the file
// header's pixel-data offset says where the rows really start. It is
// followed only when it points at or beyond the end of the table and inside
// the file: a zero, short or runaway offset (common in hand-made files) keeps
// the rows right after the table, which is where every such file has them.
// `tableEnd` is the table's end and `offset` the bitmap's start, both as
// stream positions; the stream stands at `tableEnd`.
bool seekToPixels(FILE *file, long offset, long tableEnd, uint32_t dataOffset) {
  const int64_t start = int64_t(offset) + int64_t(dataOffset);
  if (start <= tableEnd) return true;
  const long remaining = bytesToEnd(file);
  if (remaining < 0 || start - tableEnd >= remaining) return true;
  return std::fseek(file, long(start), SEEK_SET) == 0;
}

}  // namespace

Bitmap *RK_readBitmapStream(FILE *file, long offset, int wantPalette) {
  RK_setLastError(0);
  if (!file || std::fseek(file, offset, SEEK_SET) != 0) return fail(kErrInvalidBitmap);
  uint8_t fileHeader[14];
  if (std::fread(fileHeader, 1, sizeof fileHeader, file) != sizeof fileHeader || fileHeader[0] != 'B' ||
      fileHeader[1] != 'M')
    return fail(kErrInvalidBitmap);
  uint8_t info[40];
  if (std::fread(info, 1, sizeof info, file) != sizeof info) return fail(kErrInvalidBitmap);
  const uint32_t dataOffset = le32(fileHeader + 10);
  const int32_t width = int32_t(le32(info + 4));
  const int32_t rawHeight = int32_t(le32(info + 8));
  const int bits = le16(info + 14);
  const uint32_t compression = le32(info + 16);
  // Palette entries in the file: the colours-used field, or when that is 0
  // the field after it, which some writers fill instead.
  const uint32_t colorsUsed = le32(info + 32) ? le32(info + 32) : le32(info + 36);
  if (info[0] != 40 || info[12] != 1) return fail(kErrInvalidBitmap);
  if (bits <= 8 && (compression & 0xFF) != 0) return fail(kErrInvalidBitmap);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return fail(kErrInvalidBitmap);
  // A height of INT_MIN has no magnitude; sizes beyond the limits are not
  // pictures this library can hold.
  if (rawHeight == INT_MIN) return fail(kErrInvalidBitmap);
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -int64_t(rawHeight) : int64_t(rawHeight);
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return fail(kErrInvalidBitmap);
  const int64_t bytesPerLine = (rowBytes(width, bits) + 3) & ~int64_t(3);
  const int64_t pixelBytes = bytesPerLine * height;
  if (pixelBytes > kMaxPixelBytes) return fail(kErrInvalidBitmap);

  // Colour table or bit-field masks.
  const int64_t paletteEntries = bits <= 8 ? (int64_t(1) << bits) : 0;
  const int64_t entriesInFile = bits <= 8 ? (colorsUsed ? int64_t(colorsUsed) : paletteEntries) : 0;
  // More colours than the depth can index would overrun the palette.
  if (entriesInFile > paletteEntries) return fail(kErrInvalidBitmap);
  uint8_t table[1024] = {};
  uint32_t masks[3] = {};
  const bool bitFields = bits > 8 && compression == 3;
  if (bits <= 8) {
    size_t bytes = size_t(entriesInFile) * 4;
    if (wantPalette) {
      if (std::fread(table, 1, bytes, file) != bytes) return fail(kErrInvalidBitmap);
    } else if (bytes && std::fseek(file, long(bytes), SEEK_CUR) != 0) {
      return fail(kErrInvalidBitmap);
    }
  } else if (bitFields) {
    uint8_t raw[12];
    if (std::fread(raw, 1, sizeof raw, file) != sizeof raw) return fail(kErrInvalidBitmap);
    for (int i = 0; i < 3; ++i) masks[i] = le32(raw + 4 * i);
  }
  // Where the table ends: the pixels' position unless the header says later.
  const long tableEnd = long(int64_t(offset) + 54 + (bits <= 8 ? entriesInFile * 4 : bitFields ? 12 : 0));
  if (!seekToPixels(file, offset, tableEnd, dataOffset)) return fail(kErrInvalidBitmap);
  int storedBits = bits;
  PixelFormat format{};
  if (bits > 8) format = directLayout(bits, bitFields, masks[0], masks[1], &storedBits);

  const bool withPalette = wantPalette && bits <= 8;
  const size_t extra = withPalette ? size_t(paletteEntries) * sizeof(PaletteEntry)
                       : bits > 8  ? sizeof(PixelFormat)
                                   : 0;
  const size_t headerBytes = (sizeof(Bitmap) + extra + 15) & ~size_t(15);
  // Zero-filled, so rows the file does not deliver read as colour 0.
  auto *memory = static_cast<uint8_t *>(std::calloc(1, headerBytes + size_t(pixelBytes)));
  if (!memory) return fail(kErrNoMemory);
  auto *bmp = reinterpret_cast<Bitmap *>(memory);
  bmp->width = width;
  bmp->height = int32_t(height);
  bmp->bitsPerPixel = storedBits;
  bmp->bytesPerLine = int32_t(bytesPerLine);
  bmp->surface = memory + headerBytes;
  bmp->palette = nullptr;
  bmp->pixelFormat = nullptr;
  if (withPalette) {
    bmp->palette = reinterpret_cast<PaletteEntry *>(memory + sizeof(Bitmap));
    for (int64_t i = 0; i < entriesInFile; ++i)
      bmp->palette[i] = PaletteEntry{table[4 * i], table[4 * i + 1], table[4 * i + 2], 0};
  } else if (bits > 8) {
    bmp->pixelFormat = reinterpret_cast<PixelFormat *>(memory + sizeof(Bitmap));
    *bmp->pixelFormat = format;
  }
  for (int64_t i = 0; i < height; ++i) {
    int64_t row = topDown ? i : height - 1 - i;
    if (std::fread(bmp->surface + row * bytesPerLine, 1, size_t(bytesPerLine), file) != size_t(bytesPerLine))
      break;
  }
  return bmp;
}

Bitmap *RK_readBitmapFile(const char *name, int wantPalette) {
  RK_setLastError(0);
  char path[RK_PathMax];
  if (!RK_findFileOnPath(path, "BITMAPS/", name, "rb")) return fail(kErrBitmapNotFound);
  FILE *file = std::fopen(path, "rb");
  if (!file) return fail(kErrBitmapNotFound);
  Bitmap *bmp = RK_readBitmapStream(file, 0, wantPalette);
  std::fclose(file);
  return bmp;
}

void RK_freeBitmap(Bitmap *bmp) {
  std::free(bmp);
}
