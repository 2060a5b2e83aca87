// Plain renderings of the two triangle routines, row by row and pixel by
// pixel with every loop walked, against which the fast ones are compared.
#pragma once

#include "game/render/renderer.h"

void referenceTexturedFace(const SceneFace &face);
void referenceShadedFace(const SceneFace &face);
