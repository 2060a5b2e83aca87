// Writing a Windows 2.x raster font file (version 0x0200).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixel_font.h"

// The file's bytes: a proportional font for codes 32..126, each glyph
// advancing by its ink width plus one blank column. Codes outside that range
// (the line break of the frame-rate text among them) fall back to the
// default character, the space, and so draw nothing.
std::vector<uint8_t> windowsFontBytes(const PixelFont &font, const std::string &faceName);
