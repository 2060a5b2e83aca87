// The drawing half of the world step: matrices, ball culling and shading,
// projection, and the course faces near the ball.
#pragma once

#include <cstdint>

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

// One block of depths for the largest screen; only x < W and y < H are used.
// Smaller is nearer.
inline constexpr int DepthBufferWidth = 700;
inline constexpr int DepthBufferHeight = 500;
inline constexpr double FarDepth = 90000000.0;

// Entries of row y reached through at(), or through `entries` after
// settleDepthBuffer(), hold what the frame so far has left there.
void settleDepthRow(int y);

struct DepthBuffer {
  // Row-major so that a span walks contiguous memory. A reset reaches the
  // entries of a row only when the row is first drawn into (or settled), so
  // `entries` may still hold an earlier frame's depths elsewhere.
  double entries[DepthBufferHeight][DepthBufferWidth];

  double &at(int x, int y) {
    settleDepthRow(y);
    return entries[y][x];
  }
};

extern DepthBuffer depthBuffer;

// A face texture: an 8-bit picture whose texel (c, r) is the byte
// (width + 1) * r + c from its first pixel. Reads are held inside the
// picture's pixel block of `pixelBytes` bytes.
struct Texture {
  const uint8_t *pixels;
  int32_t width;
  int32_t height;
  int64_t pixelBytes;
};

// Where frames go: the address of the framework's drawDC slot (read at every
// drawing call, since a mode switch replaces the context) and the screen size
// (at most 700 x 500).
void setRenderTarget(DeviceContext *const *drawSlot, int width, int height);
// The textures of the face types: floor (0, 1), wall (2), trap (3, 4 and any
// other value), goal (5). A missing (null) or non-8-bit picture leaves its
// faces undrawn.
void setFaceTextures(const Bitmap *floor, const Bitmap *wall, const Bitmap *trap, const Bitmap *goal);
// The texture that faces of `type` show, or null when it is missing.
const Texture *faceTexture(int32_t type);

// Copies the ball mesh's model points and sets their normals; light at
// (0, 0.5, -1). Called by the game's resource loading.
void prepareBallModel();

// Every used depth entry (x < W, y < H) becomes the far value.
void resetDepthBuffer();
// Carries out the part of the last reset that drawing has not needed yet,
// so that every used entry can be read through `entries`.
void settleDepthBuffer();

// The whole world step: motion (moveWorld), then drawing.
void updateWorld();

void transformPoint(ScenePoint &point, const Matrix &m);
void projectPoint(ScenePoint &point, const Matrix &m);
void placeBallPoint(ScenePoint &dest, const ScenePoint &model, const Matrix &m);
void drawShadedFace(const SceneFace &face);
void drawTexturedFace(const SceneFace &face);
// One run of row y between columns xa and xb (either order), depth-tested.
void fillTexturedSpan(int xa, int xb, double za, double zb, int y, double ua, double ub, double va, double vb,
                      const Texture &texture);
