// The entries of one of the game's palettes a converted picture may use, and
// the nearest of them to a colour.
#pragma once

#include <array>
#include <cstddef>

#include "graphics/rk_types.h"
#include "tools/kelvaro-convert/colour_space.h"

enum class GamePalette { Playing, Menu };

class PaletteMatch {
 public:
  // The playing palette offers all 256 entries (the game loads them all
  // while playing); the menu palette its first 254, the entries it loads.
  explicit PaletteMatch(GamePalette which);

  // The entry that looks nearest; among equal ones the lowest index.
  int nearest(const Oklab &colour) const;
  int nearest(const LinearRgb &colour) const { return nearest(oklabFromLinear(colour)); }

  int count() const { return count_; }
  const PaletteEntry *entries() const { return entries_.data(); }
  const LinearRgb &light(int index) const { return light_[std::size_t(index)]; }
  const Oklab &look(int index) const { return look_[std::size_t(index)]; }

 private:
  int count_ = 0;
  std::array<PaletteEntry, 256> entries_{};
  std::array<LinearRgb, 256> light_{};
  std::array<Oklab, 256> look_{};
};
