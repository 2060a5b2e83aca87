#include "framework/events/events.h"
#include "graphics/rk_core_internal.h"

void RK_setPlatform(const RK_Platform *platform) {
  RK_assignPlatform(platform);
  setPlatformMessageSource(platform ? &platform->messages : nullptr);
}
