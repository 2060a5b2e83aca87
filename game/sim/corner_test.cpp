#include "game/scene/fatal_message.h"
#include "game/scene/geometry.h"
#include "game/sim/ball.h"

namespace {

Vec3 difference(const ScenePoint &a, const ScenePoint &b) {
  return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

// The edge from corner v along the other line that meets it: line1 first,
// then line2, each end in order; the first end at v's position decides.
Vec3 secondEdge(const SceneFace &face, const ScenePoint &v) {
  const SceneLine *others[2] = {face.line1, face.line2};
  for (const SceneLine *line : others) {
    if (SamePosition(*line->p0, v)) return difference(*line->p1, v);
    if (SamePosition(*line->p1, v)) return difference(*line->p0, v);
  }
  FatalMessage("falsche Fläche");
}

// Whether p lies within the wedge at corner v between the edges e1 and the
// edge found on the face's other lines. Squared cosines spare a square root.
int isInsideCorner(const SceneFace &face, const ScenePoint &v, const ScenePoint &alongLine0, double cosSq,
                   const ScenePoint &p) {
  const Vec3 e1 = difference(alongLine0, v);
  const Vec3 e2 = secondEdge(face, v);
  const Vec3 d = difference(p, v);
  const double a = Dot3(d, e1);
  const double b = Dot3(d, e2);
  const double dd = Dot3(d, d);
  if (!(a > 0.0) || !(b > 0.0)) return 0;
  if (!(a * a / (Dot3(e1, e1) * dd) >= cosSq)) return 0;
  if (!(b * b / (dd * Dot3(e2, e2)) >= cosSq)) return 0;
  return 1;
}

}  // namespace

int isInsideCornerV0(const SceneFace &face, const ScenePoint &p) {
  return isInsideCorner(face, *face.line0->p0, *face.line0->p1, face.cosSqVertex0, p);
}

int isInsideCornerV1(const SceneFace &face, const ScenePoint &p) {
  return isInsideCorner(face, *face.line0->p1, *face.line0->p0, face.cosSqVertex1, p);
}
