// The ball's state, its fixed-step motion and its collisions with the course.
#pragma once

#include "game/scene/scene.h"

struct Ball {
  ScenePoint position;  // x, y, z: the ball centre
  double speed;
  double heading;
  double roll;
  double velocityX, velocityY;
  int jumpIndex;
  double jumpFactor;
  double jumpCharge;
  int jumpHeld;
};

extern Ball ball;
extern double bounceTable[40];
extern int pulsePhase;

// Puts the simulation into its program-start state: the ball at the course's
// start (scene.initialBall), speeds zero, jumpFactor 1.0, pulsePhase 0, the
// camera state of the camera path at its start values. Called once after
// LoadScene (and by tests between courses).
void resetSimulation();

void fillBounceTable();

// What a trap face does: the game shell hands in its loseLife. Without a
// handler a trap does nothing (tests install their own).
using LifeLostHandler = void (*)();
void setLifeLostHandler(LifeLostHandler handler);

void collideBall();
int isInsideCornerV0(const SceneFace &face, const ScenePoint &p);
int isInsideCornerV1(const SceneFace &face, const ScenePoint &p);

// The motion half of the world step: pulsing points, ball motion, and the view
// height following its target. The renderer's updateWorld runs it first.
void moveWorld();
