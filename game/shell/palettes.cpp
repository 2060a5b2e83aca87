#include "game/shell/palettes.h"

#include "framework/framework.h"
#include "game/shell/game_state.h"
#include "game/shell/palette_tables.h"
#include "graphics/rasterkit.h"

namespace {

void loadPalette(const PaletteEntry *entries, int count) {
  DeviceContext *draw = *gameDrawSlot();
  setFrameworkPalette(entries, count, 0);
  RK_setPaletteRange(draw, entries, count, 0);
  // Giving the palette every system colour has no counterpart on Linux.
  realizeFrameworkPalette(count, 0, 1);
  RK_realizePaletteRange(draw, count, 0, 1);
}

}  // namespace

void setMenuPalette() {
  PaletteEntry entries[256];
  buildMenuPalette(entries);
  loadPalette(entries, MenuPaletteLoadCount);
}

void setGamePalette() {
  PaletteEntry entries[256];
  buildGamePalette(entries);
  loadPalette(entries, GamePaletteLoadCount);
}
