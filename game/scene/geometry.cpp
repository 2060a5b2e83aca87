#include "game/scene/geometry.h"

#include <cmath>
#include <cstdio>

#include "game/scene/fatal_message.h"

namespace {

// The largest interior angle allowed at vertex0 and vertex1: a little above a
// right angle, so that a right angle passes.
constexpr double MaxCornerAngle = 1.570796327;
// The ball mesh's angle step (deliberately not exactly a quarter of pi).
constexpr double BallAngleStep = 0.7853981635;

Vec3 minus(const ScenePoint &a, const ScenePoint &b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// The vertex rule shared by course and ball faces: vertex0 and vertex1 are the
// ends of line0; vertex2 is the end of line1 that is neither of them.
void orderVertices(SceneFace &face) {
  face.vertex0 = face.line0->p0;
  face.vertex1 = face.line0->p1;
  ScenePoint *start = face.line1->p0;
  bool startIsKnown = SamePosition(*start, *face.vertex0) || SamePosition(*start, *face.vertex1);
  face.vertex2 = startIsKnown ? face.line1->p1 : face.line1->p0;
}

// Of the ends of line1 and line2 (in the order line1.p0, line1.p1, line2.p0,
// line2.p1), the first at the position of `corner`; returns the other end of
// that line through `farEnd`, or false when none meets the corner.
bool findEdgeFrom(const SceneFace &face, const ScenePoint &corner, const ScenePoint *&nearEnd,
                  const ScenePoint *&farEnd) {
  const SceneLine *candidates[2] = {face.line1, face.line2};
  for (const SceneLine *line : candidates) {
    if (SamePosition(*line->p0, corner)) {
      nearEnd = line->p0;
      farEnd = line->p1;
      return true;
    }
    if (SamePosition(*line->p1, corner)) {
      nearEnd = line->p1;
      farEnd = line->p0;
      return true;
    }
  }
  return false;
}

struct Corner {
  double angle;
  double cosSq;
};

// The interior angle at `corner` (an end of line0) between line0 and the edge
// of line1 or line2 that leaves the same position.
Corner cornerAngle(const SceneFace &face, const ScenePoint &corner, const ScenePoint &otherEnd) {
  const ScenePoint *nearEnd = nullptr;
  const ScenePoint *farEnd = nullptr;
  if (!findEdgeFrom(face, corner, nearEnd, farEnd)) FatalMessage("falsche Fläche");
  Vec3 d1 = minus(otherEnd, corner);
  Vec3 d2 = minus(*farEnd, *nearEnd);
  double dot = Dot3(d1, d2);
  double q = Dot3(d1, d1) * Dot3(d2, d2);
  return {std::acos(dot / std::sqrt(q)), dot * dot / q};
}

bool closesAt(const SceneFace &face, const ScenePoint &r) {
  const ScenePoint *ends[4] = {face.line0->p0, face.line0->p1, face.line2->p0, face.line2->p1};
  for (const ScenePoint *end : ends) {
    if (SamePosition(*end, r)) return true;
  }
  return false;
}

[[noreturn]] void rejectAngle(int fileIndex) {
  char text[64];
  std::snprintf(text, sizeof text, "Fläche %d falsch angegeben", fileIndex);
  FatalMessage(text);
}

}  // namespace

double Dot3(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

int SamePosition(const ScenePoint &p, const ScenePoint &q) {
  return p.x == q.x && p.y == q.y && p.z == q.z ? 1 : 0;
}

ScenePoint SolveLinear3(double m[12]) {
  // Element (row r, column c) is m[3c + r]; column 3 holds the right-hand sides.
  auto at = [m](int r, int c) -> double & { return m[3 * c + r]; };
  for (int k = 0; k < 2; ++k) {
    if (at(k, k) == 0.0) {
      for (int r = k + 1; r < 3; ++r) {
        if (at(r, k) != 0.0) {
          for (int c = 0; c < 4; ++c) {
            double t = at(k, c);
            at(k, c) = at(r, c);
            at(r, c) = t;
          }
          break;
        }
      }
    }
    for (int r = k + 1; r < 3; ++r) {
      if (at(r, k) == 0.0) continue;
      double f = at(k, k) / at(r, k);
      for (int c = k; c < 4; ++c) at(r, c) = at(k, c) - f * at(r, c);
    }
  }
  ScenePoint result = {};
  result.z = at(2, 3) / at(2, 2);
  result.y = (at(1, 3) - at(1, 2) * result.z) / at(1, 1);
  result.x = (at(0, 3) - at(0, 2) * result.z - at(0, 1) * result.y) / at(0, 0);
  return result;
}

Solution2 SolveLinear2(double m[6]) {
  // (a00, a10, a01, a11, b0, b1): element (row r, column c) is m[2c + r].
  if (m[0] == 0.0 && m[1] != 0.0) {
    for (int c = 0; c < 3; ++c) {
      double t = m[2 * c];
      m[2 * c] = m[2 * c + 1];
      m[2 * c + 1] = t;
    }
  }
  if (m[1] != 0.0) {
    double f = m[0] / m[1];
    for (int c = 0; c < 3; ++c) m[2 * c + 1] = m[2 * c] - f * m[2 * c + 1];
  }
  Solution2 s;
  s.u1 = m[5] / m[3];
  s.u0 = (m[4] - m[2] * s.u1) / m[0];
  return s;
}

Vec3 FaceNormal(const SceneFace &face) {
  switch (face.type) {
    case FloorFlat:
    case TrapFlat:
    case Goal:
      return {0.0, 0.0, 1.0};
    case FloorSloped:
    case TrapSloped:
    case Wall:
      break;
    default:
      // No normal is defined for other types; the loader rejects them.
      return {0.0, 0.0, 0.0};
  }
  Vec3 e0 = minus(*face.line0->p0, *face.line0->p1);
  Vec3 e1 = minus(*face.line1->p0, *face.line1->p1);
  if (face.type != Wall) {
    double m[6] = {e0.x, e1.x, e0.y, e1.y, -e0.z, -e1.z};
    Solution2 ab = SolveLinear2(m);
    return {ab.u0, ab.u1, 1.0};
  }
  if (e0.x == 0.0 && e1.x == 0.0) {
    double m[6] = {e0.y, e1.y, e0.z, e1.z, -e0.x, -e1.x};
    Solution2 bc = SolveLinear2(m);
    return {1.0, bc.u0, bc.u1};
  }
  double m[6] = {e0.x, e1.x, e0.z, e1.z, -e0.y, -e1.y};
  Solution2 ac = SolveLinear2(m);
  return {ac.u0, 1.0, ac.u1};
}

ScenePoint FootOnFacePlane(const SceneFace &face, Vec3 p) {
  const ScenePoint &a = *face.line0->p0;
  Vec3 d0 = minus(*face.line0->p1, a);
  Vec3 d1 = minus(*face.line1->p1, *face.line1->p0);
  double m[12] = {face.normal[0], face.normal[1], face.normal[2], d0.x,      d0.y,      d0.z,
                  d1.x,           d1.y,           d1.z,           a.x - p.x, a.y - p.y, a.z - p.z};
  double t = SolveLinear3(m).x;
  ScenePoint foot = {};
  foot.x = p.x + t * face.normal[0];
  foot.y = p.y + t * face.normal[1];
  foot.z = p.z + t * face.normal[2];
  return foot;
}

void PrepareCourseFace(SceneFace &face, int fileIndex) {
  Vec3 n = FaceNormal(face);
  face.normal[0] = n.x;
  face.normal[1] = n.y;
  face.normal[2] = n.z;
  orderVertices(face);
  const ScenePoint &a = *face.line0->p0;
  const ScenePoint &b = *face.line0->p1;
  Corner at0 = cornerAngle(face, a, b);
  Corner at1 = cornerAngle(face, b, a);
  if (!closesAt(face, *face.vertex2)) FatalMessage("falsche Fläche");
  if (at0.angle > MaxCornerAngle) rejectAngle(fileIndex);
  if (at1.angle > MaxCornerAngle) rejectAngle(fileIndex);
  face.cosSqVertex0 = at0.cosSq;
  face.cosSqVertex1 = at1.cosSq;
}

void BuildBallMesh(Scene &s, int coursePointCount, int courseLineCount) {
  ScenePoint *P = s.points.data() + coursePointCount;
  SceneLine *B = s.lines.data() + courseLineCount;
  SceneFace *F = s.ballFaces.data();
  const double c = BallAngleStep;
  const double r = 0.0085 * 1000 * 0.001;
  const double w = std::cos(c);
  const double h = std::sin(c);

  // Points: bottom pole, lower ring, equator, upper ring, top pole.
  auto place = [](ScenePoint &p, double x, double y, double z) {
    p.x = x;
    p.y = y;
    p.z = z;
  };
  place(P[0], 0.0, 0.0, -0.0085);
  for (int m = 0; m < 8; ++m) {
    place(P[1 + m], r * w * std::cos(m * c), r * w * std::sin(m * c), -r * h);
    place(P[9 + m], r * std::cos((m - 8) * c), r * std::sin((m - 8) * c), 0.0);
    place(P[17 + m], r * w * std::cos(m * c), r * w * std::sin(m * c), r * h);
  }
  place(P[25], 0.0, 0.0, 0.0085);

  ScenePoint *R1 = P + 1;
  ScenePoint *E = P + 9;
  ScenePoint *R3 = P + 17;
  auto join = [](SceneLine &line, ScenePoint *p0, ScenePoint *p1) {
    line.p0 = p0;
    line.p1 = p1;
  };
  for (int m = 0; m < 8; ++m) {
    int next = (m + 1) % 8;
    join(B[m], &P[0], &R1[m]);
    join(B[8 + m], &R1[m], &E[m]);
    join(B[16 + m], &R1[m], &E[next]);
    join(B[40 + m], &R3[m], &E[m]);
    join(B[48 + m], &R3[m], &E[next]);
    join(B[64 + m], &R3[m], &P[25]);
  }
  for (int m = 0; m < 7; ++m) {
    join(B[24 + m], &R1[m], &R1[m + 1]);
    join(B[32 + m], &E[m], &E[m + 1]);
    join(B[56 + m], &R3[m], &R3[m + 1]);
  }
  join(B[31], &R1[0], &R1[7]);
  join(B[39], &E[0], &E[7]);
  join(B[63], &R3[0], &R3[7]);

  // Faces, six per sector; the colours alternate like a checkerboard.
  for (int sector = 0; sector < 8; ++sector) {
    int next = (sector + 1) % 8;
    int light = sector % 2 == 0 ? 192 : 128;
    int dark = sector % 2 == 0 ? 128 : 192;
    struct {
      int l0, l1, l2, colour;
    } rows[6] = {
        {sector, next, 24 + sector, light},           {24 + sector, 16 + sector, 8 + next, dark},
        {16 + sector, 8 + sector, 32 + sector, dark}, {32 + sector, 40 + sector, 48 + sector, light},
        {48 + sector, 56 + sector, 40 + next, light}, {56 + sector, 64 + sector, 64 + next, dark},
    };
    for (int k = 0; k < 6; ++k) {
      SceneFace &face = F[6 * sector + k];
      face.line0 = &B[rows[k].l0];
      face.line1 = &B[rows[k].l1];
      face.line2 = &B[rows[k].l2];
      face.baseColour = rows[k].colour;
    }
  }

  // The foot of the perpendicular from the ball centre to each face's plane.
  for (int k = 0; k < BallFaceCount; ++k) {
    SceneFace &face = F[k];
    orderVertices(face);
    const ScenePoint &v0 = *face.vertex0;
    Vec3 b = minus(*face.vertex1, v0);
    Vec3 a = minus(*face.vertex2, v0);
    Vec3 d = {b.y * a.z - b.z * a.y, b.z * a.x - b.x * a.z, b.x * a.y - b.y * a.x};
    double m[12] = {b.x, b.y, b.z, a.x, a.y, a.z, -d.x, -d.y, -d.z, -v0.x, -v0.y, -v0.z};
    double u = SolveLinear3(m).z;
    face.planeFoot[0] = u * d.x;
    face.planeFoot[1] = u * d.y;
    face.planeFoot[2] = u * d.z;
  }
}
