// The ball's state, its fixed-step motion and its collisions with the course.
#pragma once

#include "game/scene/scene.h"

struct Ball {
  ScenePoint position;  // x, y, z: the ball centre
  double speed;         // horizontal distance per frame
  double heading;       // radians, from +x towards +y
  double roll;          // radians, only for drawing
  double velocityX, velocityY;
  int jumpIndex;  // entry of bounceTable for this frame's vertical step
  double jumpFactor;
  double jumpCharge;
  int jumpHeld;
};

extern Ball ball;
extern double bounceTable[40];
extern int pulsePhase;

inline constexpr int BounceTableSize = 40;
// Squared ball radius: a face closer than this to the ball centre is touched.
inline constexpr double ContactDistanceSq = 7.225000000000001e-05;

// Puts the simulation into its program-start state: the ball at the course's
// start (scene.initialBall), speeds zero, jumpFactor 1.0, pulsePhase 0, the
// camera state of the camera path at its start values. Also fills the bounce
// table, so that the motion never runs on an empty one. Called once after
// LoadScene (and by tests between courses).
void resetSimulation();

void fillBounceTable();

// What a trap face does: the game shell hands in its loseLife. Without a
// handler a trap does nothing (tests install their own).
using LifeLostHandler = void (*)();
void setLifeLostHandler(LifeLostHandler handler);

// Tests the ball against the faces of its interval (and, before interval 9,
// the two faces after them) and applies each touched face's reaction. Ends
// the program for a ball beyond the last interval and at the goal.
void collideBall();
int isInsideCornerV0(const SceneFace &face, const ScenePoint &p);
int isInsideCornerV1(const SceneFace &face, const ScenePoint &p);

// The motion half of the world step: pulsing points, ball motion, and the view
// height following its target. The renderer's updateWorld runs it first.
void moveWorld();
