// Screenshots are written by the tools' shared 8-bit bitmap writer
// (encodeBmp8, writeBmp8).
#pragma once

#include "tools/bmpwrite/bmp_write.h"
