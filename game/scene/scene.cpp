#include "game/scene/scene.h"

Scene scene;
