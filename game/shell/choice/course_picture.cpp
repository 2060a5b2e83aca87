#include "game/shell/choice/course_picture.h"

#include <algorithm>
#include <cmath>

#include "game/scene/scene.h"
#include "game/shell/choice/choice_colours.h"

namespace {

struct Corner {
  double x, y;
};

// Fills the triangle by rows through each pixel's centre.
void fillTriangle(CoursePicture &picture, Corner a, Corner b, Corner c, uint8_t colour) {
  if (a.y > b.y) std::swap(a, b);
  if (a.y > c.y) std::swap(a, c);
  if (b.y > c.y) std::swap(b, c);
  const int top = std::max(0, static_cast<int>(std::ceil(a.y - 0.5)));
  const int bottom = std::min(picture.height - 1, static_cast<int>(std::floor(c.y - 0.5)));
  for (int row = top; row <= bottom; ++row) {
    const double y = row + 0.5;
    auto cross = [y](Corner p, Corner q) {
      return q.y == p.y ? p.x : p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y);
    };
    double left = cross(a, c);
    double right = y < b.y ? cross(a, b) : cross(b, c);
    if (left > right) std::swap(left, right);
    // Thin faces (walls seen from above) still leave a line of one pixel.
    const int from = std::max(0, static_cast<int>(std::floor(left)));
    const int to = std::min(picture.width - 1, std::max(from, static_cast<int>(std::ceil(right)) - 1));
    for (int x = from; x <= to; ++x) picture.pixels[static_cast<size_t>(row) * picture.width + x] = colour;
  }
}

uint8_t colourOf(int type) {
  switch (type) {
    case FloorFlat:
      return ChoiceColour::FlatFloor;
    case FloorSloped:
      return ChoiceColour::SlopedFloor;
    case Wall:
      return ChoiceColour::Wall;
    case TrapSloped:
    case TrapFlat:
      return ChoiceColour::Trap;
    default:
      return type < 0 ? ChoiceColour::SlopedFloor : ChoiceColour::Goal;
  }
}

// Walls and the goal are drawn last, so that they stay visible over floors.
int layerOf(int type) {
  if (type == Wall) return 2;
  if (type == TrapSloped || type == TrapFlat) return 1;
  if (type == Goal) return 3;
  return 0;
}

}  // namespace

CoursePicture drawCoursePicture(int width, int height) {
  CoursePicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * height, ChoiceColour::PictureGround);
  if (scene.faceCount <= 0 || width < 4 || height < 4) return picture;

  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    for (const ScenePoint *p : {f.vertex0, f.vertex1, f.vertex2}) {
      if (!p) continue;
      minX = std::min(minX, p->x);
      maxX = std::max(maxX, p->x);
      minY = std::min(minY, p->y);
      maxY = std::max(maxY, p->y);
    }
  }
  if (!(maxX > minX) || !(maxY >= minY)) return picture;
  // The course runs left to right; y grows to the left of the ball's way,
  // which is up in the picture.
  const double margin = 2.0;
  const double scale = std::min((width - 2 * margin) / (maxX - minX),
                                maxY > minY ? (height - 2 * margin) / (maxY - minY) : 1e300);
  const double offsetX = (width - (maxX - minX) * scale) / 2.0;
  const double offsetY = (height - (maxY - minY) * scale) / 2.0;
  auto place = [&](const ScenePoint *p) {
    return Corner{offsetX + (p->x - minX) * scale, height - (offsetY + (p->y - minY) * scale)};
  };
  for (int layer = 0; layer <= 3; ++layer) {
    for (int i = 0; i < scene.faceCount; ++i) {
      const SceneFace &f = scene.faces[i];
      if (layerOf(f.type) != layer || !f.vertex0 || !f.vertex1 || !f.vertex2) continue;
      fillTriangle(picture, place(f.vertex0), place(f.vertex1), place(f.vertex2), colourOf(f.type));
    }
  }
  return picture;
}
