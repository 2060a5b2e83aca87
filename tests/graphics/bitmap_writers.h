// Small writers of BMP files for the bitmap tests and the fuzz seed corpus.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testfiles {

inline void put16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t> &out, uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}

struct BmpFile {
  int32_t width = 1;
  int32_t height = 1;  // negative: rows stored top row first
  uint16_t bits = 8;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t headerSize = 40;
  uint16_t planes = 1;
  std::vector<uint8_t> colorTable;  // palette entries (b, g, r, 0) or three masks
  std::vector<uint8_t> pixels;      // rows exactly as stored in the file
  uint32_t gap = 0;                 // filler bytes (0xEE) between the table and the pixels
  int64_t dataOffset = -1;          // the header's pixel-data offset; -1: where the pixels are
};

inline std::vector<uint8_t> bmpBytes(const BmpFile &f) {
  std::vector<uint8_t> out{'B', 'M'};
  const size_t pixelsAt = 54 + f.colorTable.size() + f.gap;
  put32(out, uint32_t(pixelsAt + f.pixels.size()));
  put32(out, 0);
  put32(out, f.dataOffset < 0 ? uint32_t(pixelsAt) : uint32_t(f.dataOffset));
  put32(out, f.headerSize);
  put32(out, uint32_t(f.width));
  put32(out, uint32_t(f.height));
  put16(out, f.planes);
  put16(out, f.bits);
  put32(out, f.compression);
  put32(out, uint32_t(f.pixels.size()));
  put32(out, 2835);
  put32(out, 2835);
  put32(out, f.colorsUsed);
  put32(out, 0);
  out.insert(out.end(), f.colorTable.begin(), f.colorTable.end());
  out.insert(out.end(), size_t(f.gap), 0xEE);
  out.insert(out.end(), f.pixels.begin(), f.pixels.end());
  return out;
}

inline int64_t bmpRowBytes(int64_t width, int bits) {
  int64_t raw = bits == 1 ? (width + 7) / 8 : bits == 4 ? (width + 1) / 2 : width * (bits / 8);
  return (raw + 3) & ~int64_t(3);
}

// Packs pixel values (rows top row first) into file rows of `bits`, bottom
// row first unless `topDown`.
inline std::vector<uint8_t> packRows(const std::vector<std::vector<uint32_t>> &topFirst, int bits,
                                     bool topDown) {
  std::vector<uint8_t> out;
  const int64_t height = int64_t(topFirst.size());
  for (int64_t i = 0; i < height; ++i) {
    const auto &row = topFirst[size_t(topDown ? i : height - 1 - i)];
    std::vector<uint8_t> bytes(size_t(bmpRowBytes(int64_t(row.size()), bits)), 0);
    for (size_t x = 0; x < row.size(); ++x) {
      uint32_t v = row[x];
      switch (bits) {
        case 1:
          if (v & 1) bytes[x / 8] |= uint8_t(0x80u >> (x % 8));
          break;
        case 4:
          bytes[x / 2] |= uint8_t((x % 2) ? (v & 0xF) : ((v & 0xF) << 4));
          break;
        default:
          for (int b = 0; b < bits / 8; ++b) bytes[x * size_t(bits / 8) + size_t(b)] = uint8_t(v >> (8 * b));
          break;
      }
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

// A palette of `count` entries, entry i = (r, g, b) = (i, 255 - i, i / 2).
inline std::vector<uint8_t> rampPalette(int count) {
  std::vector<uint8_t> out;
  for (int i = 0; i < count; ++i) {
    out.push_back(uint8_t(i / 2));
    out.push_back(uint8_t(255 - i));
    out.push_back(uint8_t(i));
    out.push_back(0);
  }
  return out;
}

// A picture whose pixel (x, y) is (x + 3 * y) modulo `modulo`.
inline std::vector<std::vector<uint32_t>> patternPixels(int width, int height, uint32_t modulo) {
  std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(height),
                                          std::vector<uint32_t>(static_cast<size_t>(width)));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[size_t(y)][size_t(x)] = uint32_t(x + 3 * y) % modulo;
  return rows;
}

inline bool writeFile(const std::string &path, const std::vector<uint8_t> &bytes) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace testfiles
