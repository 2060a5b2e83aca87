// soak-keys SEED PASSES [FILE]
// Writes a seeded random key script for kelvaro-headless that keeps the game
// playing for PASSES passes (to FILE, or to standard output).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "soak_keys.h"

namespace {

bool readNumber(const char *text, unsigned long long &out) {
  if (!text || *text < '0' || *text > '9') return false;
  errno = 0;
  char *end = nullptr;
  out = std::strtoull(text, &end, 10);
  return errno == 0 && *end == '\0';
}

}  // namespace

int main(int argc, char **argv) {
  unsigned long long seed = 0, passes = 0;
  if ((argc != 3 && argc != 4) || !readNumber(argv[1], seed) || !readNumber(argv[2], passes) ||
      passes > 1000000000ull) {
    std::fputs("usage: soak-keys SEED PASSES [FILE]\n", stderr);
    return 2;
  }
  const auto changes = generateSoakKeys(seed, static_cast<long>(passes));
  if (argc == 3) {
    writeSoakScript(std::cout, changes, seed);
    return std::cout.flush() ? 0 : 1;
  }
  std::ofstream out(argv[3], std::ios::trunc);
  writeSoakScript(out, changes, seed);
  if (!out.flush()) {
    std::fprintf(stderr, "soak-keys: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
