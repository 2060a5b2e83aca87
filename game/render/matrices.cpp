#include <cmath>

#include "game/render/render_steps.h"

namespace {

constexpr double Pi = 3.141592654;
constexpr double TwoPi = 6.283185308;
constexpr double HalfPi = 1.570796327;

}  // namespace

Matrix viewMatrix = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
Matrix ballMatrix = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
Matrix ballInverseMatrix = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

void transformPoint(ScenePoint &p, const Matrix &m) {
  const double x = p.x, y = p.y, z = p.z;
  p.viewX = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
  p.viewY = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
  p.viewZ = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
}

void placeBallPoint(ScenePoint &dest, const ScenePoint &model, const Matrix &m) {
  const double x = model.x, y = model.y, z = model.z;
  dest.x = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
  dest.y = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
  dest.z = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
}

// Undoes ballMatrix for a ball centred at the view height h rather than at
// its own bouncing height.
void buildBallInverseMatrix(double heading, double roll, double bx, double by, double h) {
  const double a = -heading, r = -roll;
  const double sa = std::sin(a), ca = std::cos(a), sr = std::sin(r), cr = std::cos(r);
  Matrix &m = ballInverseMatrix;
  m[0][0] = cr * ca;
  m[0][1] = sa;
  m[0][2] = -sr * ca;
  m[1][0] = -sa * cr;
  m[1][1] = ca;
  m[1][2] = sr * sa;
  m[2][0] = sr;
  m[2][2] = cr;
  m[3][0] = (sa * by - ca * bx) * cr - sr * h;
  m[3][1] = -ca * by - sa * bx;
  m[3][2] = (ca * bx - sa * by) * sr - cr * h;
}

// Roll about the model's y axis, then heading about z, then the move to the
// ball's position.
void buildBallMatrix(double heading, double roll, double bx, double by, double bz) {
  const double a = heading, r = roll;
  const double sa = std::sin(a), ca = std::cos(a), sr = std::sin(r), cr = std::cos(r);
  Matrix &m = ballMatrix;
  m[0][0] = cr * ca;
  m[0][1] = sa * cr;
  m[0][2] = -sr;
  m[1][0] = -sa;
  m[1][1] = ca;
  m[2][0] = sr * ca;
  m[2][1] = sr * sa;
  m[2][2] = cr;
  m[3][0] = bx;
  m[3][1] = by;
  m[3][2] = bz;
}

// View space: origin at the view target (bx, by, h), x to the right, y down
// the screen, z away from the camera.
void buildViewMatrix(double bx, double by, double h, double cx, double cy, double cz) {
  const double dx = bx - cx, dy = by - cy;
  double yaw = std::atan(dx / dy);
  if (dy < 0) {
    yaw += Pi;
  } else if (dx < 0 && dy > 0) {
    yaw += TwoPi;
  }
  double n = dy / std::cos(yaw);
  if (std::fabs(n) < 0.001) n = 0.001;
  double pitch = std::atan((h - cz) / n);
  const double e = cz - h;
  if (e > 0 && n < 0) pitch += Pi;
  if (e < 0 && n < 0) pitch += Pi;
  if (e < 0 && n > 0) pitch += TwoPi;
  const double s = HalfPi - pitch;
  const double sy = std::sin(yaw), cy_ = std::cos(yaw), ss = std::sin(s), cs = std::cos(s);
  Matrix &m = viewMatrix;
  m[0][0] = cy_;
  m[0][1] = sy * cs;
  m[0][2] = sy * ss;
  m[1][0] = -sy;
  m[1][1] = cs * cy_;
  m[1][2] = ss * cy_;
  m[2][1] = -ss;
  m[2][2] = cs;
  const double q = -cy_ * by - sy * bx;
  m[3][0] = sy * by - cy_ * bx;
  m[3][1] = ss * h + cs * q;
  m[3][2] = ss * q - cs * h;
}
