#include "tools/kelvaro-convert/palette_match.h"

#include "game/shell/palette_tables.h"

PaletteMatch::PaletteMatch(GamePalette which) {
  if (which == GamePalette::Playing) {
    buildGamePalette(entries_.data());
    count_ = 256;
  } else {
    buildMenuPalette(entries_.data());
    count_ = 254;
  }
  for (int i = 0; i < 256; ++i) {
    const PaletteEntry &e = entries_[std::size_t(i)];
    light_[std::size_t(i)] = linearFromSrgb(e.red, e.green, e.blue);
    look_[std::size_t(i)] = oklabFromLinear(light_[std::size_t(i)]);
  }
}

int PaletteMatch::nearest(const Oklab &colour) const {
  int best = 0;
  double bestDistance = oklabDistance2(colour, look_[0]);
  for (int i = 1; i < count_; ++i) {
    const double d = oklabDistance2(colour, look_[std::size_t(i)]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}
