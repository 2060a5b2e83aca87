#include "palettes.h"

#include "game/shell/palette_tables.h"

namespace {

// The pictures are drawn in exactly the colours the game loads.
Palette fromGameEntries(void (*build)(PaletteEntry *)) {
  PaletteEntry entries[256];
  build(entries);
  Palette p{};
  for (int i = 0; i < 256; ++i) p[i] = {entries[i].red, entries[i].green, entries[i].blue};
  return p;
}

}  // namespace

const Palette &menuPalette() {
  static const Palette p = fromGameEntries(buildMenuPalette);
  return p;
}

const Palette &playingPalette() {
  static const Palette p = fromGameEntries(buildGamePalette);
  return p;
}
