// Seeded random key input for long unattended runs of the game: it keeps the
// game playing for as many passes as asked. Escape is never pressed, Down only
// while Up is held (so the menu's selection, once on play, never goes back to
// quit), and Right only after Up has been held in the menu at the start, so
// that Right in the menu always picks play.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

enum class SoakKey { Up, Down, Left, Right, Enter };

struct SoakChange {
  long pass;
  SoakKey key;
  bool down;
};

// The same seed and pass count always give the same changes, ordered by
// pass; every key pressed is released again by the last pass.
std::vector<SoakChange> generateSoakKeys(uint64_t seed, long passes);

// Writes the changes as a kelvaro-headless key script ("PASS +KEY" lines).
void writeSoakScript(std::ostream &out, const std::vector<SoakChange> &changes, uint64_t seed);

const char *soakKeyName(SoakKey key);
