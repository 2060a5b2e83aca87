// The renderer's steps between the public entry points, separated so that
// each can be checked on its own.
#pragma once

#include <cstdint>

#include "game/render/renderer.h"

// The frame buffer as it stands at the moment of drawing: null pixels when
// there is nothing that can safely be drawn into.
struct FrameTarget {
  uint8_t *pixels;
  int64_t pitch;
  int width;
  int height;
};
FrameTarget currentFrameTarget();
int screenWidth();
int screenHeight();

void buildBallInverseMatrix(double heading, double roll, double bx, double by, double h);
void buildBallMatrix(double heading, double roll, double bx, double by, double bz);
void buildViewMatrix(double bx, double by, double h, double cx, double cy, double cz);

// Copies the ball faces whose outward side faces the camera into
// scene.visibleBallFaces.
void cullBallFaces(const ScenePoint &camera);
// Shades the corners of the visible ball faces for a light at lightPoint.
void shadeVisibleBallFaces(double cameraX);

// The course faces drawn for a ball at x = bx: indices [first, last).
struct FaceRange {
  int first, last;
};
FaceRange drawingRange(double bx);

// Everything of updateWorld after the motion.
void drawWorld();
