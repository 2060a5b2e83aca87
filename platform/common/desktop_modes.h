// Which modes a back end serves: it shows every mode of the two families it
// offers at any size its desktop can hold, with two pages in memory.
#pragma once

// The depths a back end shows.
enum class ShownDepths {
  PalettedOnly,  // 8 bits through a palette
  AllConverted,  // 8, 15, 16, 24 and 32 bits
};

// Whether a mode of `family` at width x height and `bits` is served; if so,
// *pages (when given) becomes 2. The desktop's size is asked for only for a
// family and depth that are shown.
bool servesDesktopMode(int family, int width, int height, int bits, ShownDepths depths,
                       void (*desktopSize)(int *width, int *height), int *pages);
