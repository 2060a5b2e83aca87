// The drawing half of the world step: matrices, ball culling and shading,
// projection, and the course faces near the ball.
#pragma once

#include "game/scene/scene.h"

struct DeviceContext;
struct Bitmap;

using Matrix = double[4][4];

extern Matrix viewMatrix;
extern Matrix ballMatrix;
extern Matrix ballInverseMatrix;
extern ScenePoint lightPoint;
extern ScenePoint ballModelPoints[BallPointCount];
extern int visibleBallFaceCount;

// Where frames go: the address of the framework's drawDC slot (read at every
// frame, since a mode switch replaces the context) and the screen size.
void setRenderTarget(DeviceContext *const *drawSlot, int width, int height);
// The textures of the face types: floor (0, 1), wall (2), trap (3, 4 and any
// other value), goal (5).
void setFaceTextures(const Bitmap *floor, const Bitmap *wall, const Bitmap *trap, const Bitmap *goal);

// Copies the ball mesh's model points and sets their normals; light at
// (0, 0.5, -1). Called by the game's resource loading.
void prepareBallModel();

// Every used depth entry (x < W, y < H) becomes the far value.
void resetDepthBuffer();

// The whole world step: motion (moveWorld), then drawing.
void updateWorld();

void transformPoint(ScenePoint &point, const Matrix &m);
void projectPoint(ScenePoint &point, const Matrix &m);
void placeBallPoint(ScenePoint &dest, const ScenePoint &model, const Matrix &m);
void drawShadedFace(const SceneFace &face);
void drawTexturedFace(const SceneFace &face);
