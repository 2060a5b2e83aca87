#include "graphics/rk_image_ops.h"

void RK_installImageOperations(DriverTable &) {}
