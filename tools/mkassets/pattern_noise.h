// Deterministic noise for the pictures: the same numbers on every run and
// every machine (integer hashing only).
#pragma once

#include <cstdint>

inline uint32_t hashInts(uint32_t a, uint32_t b, uint32_t c = 0) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// A value in [-1, 1].
inline double signedNoise(uint32_t a, uint32_t b, uint32_t c = 0) {
  return (hashInts(a, b, c) & 0xFFFF) / 32767.5 - 1.0;
}
