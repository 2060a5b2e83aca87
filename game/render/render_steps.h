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

// Row y of the depth buffer with at least columns [from, to) holding this
// frame's depths; 0 <= y < H and 0 <= from <= to <= W.
double *depthRowFor(int64_t y, int64_t from, int64_t to);

// Row y for a caller that writes every column of [from, to) itself: the
// columns [heldFrom, heldTo) (a part of [from, to), possibly empty) hold
// this frame's depths, the others count as far and are not written before
// the caller writes them. Columns between the row's earlier depths and
// [from, to) are made far here.
struct ClaimedDepthRow {
  double *row;
  int64_t heldFrom, heldTo;
};
ClaimedDepthRow claimDepthRow(int64_t y, int64_t from, int64_t to);

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
