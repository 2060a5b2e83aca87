// Reading back the 32-bit words a conversion wrote into rows `pitch` bytes
// apart.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

inline uint32_t wordAt(const std::vector<uint8_t> &out, int pitch, int x, int y) {
  uint32_t v;
  std::memcpy(&v, out.data() + y * pitch + 4 * x, 4);
  return v;
}
