// The course: points, lines and faces read from the scene description file,
// the ball mesh appended to them, and the tables that group the course faces
// along x. There is one Scene per run; it is filled once by LoadScene and then
// read directly by the simulation and the renderer.
#pragma once

#include <cstdint>
#include <vector>

// File values are integers in thousandths of a scene unit.
inline constexpr double SceneUnit = 1000.0;
inline constexpr double BallRadius = 0.0085;
inline constexpr int IntervalCount = 11;
inline constexpr int CameraCount = 11;
inline constexpr int BallPointCount = 26;
inline constexpr int BallLineCount = 72;
inline constexpr int BallFaceCount = 48;

struct ScenePoint {
  double x, y, z;
  double viewX, viewY, viewZ;
  double normal[3];
  int32_t screenX, screenY;
  int32_t depth;
  double u, v;
  int32_t defined;
  int32_t projected;
  double colour[3];
  double shade;
  int32_t shaded;
};

using SceneCamera = ScenePoint;

struct SceneLine {
  ScenePoint *p0, *p1;
};

enum FaceType : int32_t {
  FloorFlat = 0,
  FloorSloped = 1,
  Wall = 2,
  TrapSloped = 3,
  TrapFlat = 4,
  Goal = 5,
};

struct SceneFace {
  SceneLine *line0, *line1, *line2;
  ScenePoint *vertex0, *vertex1, *vertex2;
  int32_t type;
  double normal[3];
  double cosSqVertex0, cosSqVertex1;
  double planeFoot[3];
  int32_t baseColour;
};

struct Scene {
  // Allocated once at their exact size and never resized, so references into
  // them stay valid for the whole run.
  std::vector<ScenePoint> points;
  int pointCount = 0;
  std::vector<SceneLine> lines;
  int lineCount = 0;
  std::vector<SceneFace> faces;
  int faceCount = 0;
  std::vector<SceneFace> ballFaces;
  std::vector<SceneFace> visibleBallFaces;
  SceneCamera cameras[CameraCount] = {};
  int intervalCount[IntervalCount] = {};
  int intervalStart[IntervalCount] = {};
  SceneFace *intervalFirstFace[IntervalCount] = {};

  // The ball's start position from the file's ball record ("b:"), and the
  // whole record copied at the end of loading; the simulation restores the
  // ball from initialBall after a lost life.
  ScenePoint ballStart = {};
  ScenePoint initialBall = {};
};

// The process-wide course.
extern Scene scene;
