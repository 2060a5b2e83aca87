// The image, blit, stretch and text-support operations of the packed-pixel
// drivers, installed into a context's DriverTable when it is set up.
#pragma once

#include "graphics/rk_types.h"

void RK_installImageOperations(DriverTable &table);
