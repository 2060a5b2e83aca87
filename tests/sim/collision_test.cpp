#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/portable.h"
#include "course.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"

namespace {

// A floor under (0.35, 0.03) in interval 3 and a wall in the plane y = 0.035
// that sorts after it (interval 4): a ball at z 0.005 touches both, at z 0.02
// only the wall.
void installFloorAndWall(int floorType = FloorFlat) {
  installCourse({at(0.30, 0.01, 0), at(0.40, 0.11, 0), at(0.40, 0.01, 0), at(0.30, 0.035, 0),
                 at(0.45, 0.035, 0.15), at(0.45, 0.035, 0)},
                {{0, 1, 2, FloorFlat}, {3, 4, 5, Wall}}, at(0.35, 0.03, 0.005));
  scene.faces[0].type = floorType;
}

}  // namespace

TEST(FloorContact, JumpFactorChoosesBounceStartAndChargeIsSpentOnce) {
  // Factors as the jump key leaves them: 0.3 while held long, 1.0 + charge
  // on release. Only a charged bounce spends the charge.
  installFloorAndWall();
  const struct {
    double factor;
    int index;
  } cases[] = {{1.0, 10}, {2.0, 0}, {1.5, 5}, {0.3, 17}, {1.05, 9}};
  for (const auto &c : cases) {
    ball.jumpFactor = c.factor;
    ball.jumpCharge = 0.5;
    ball.position.z = 0.005;
    collideBall();
    EXPECT_EQ(ball.jumpIndex, c.index) << c.factor;
    EXPECT_EQ(ball.jumpFactor, c.factor > 1.0 ? 1.0 : c.factor);
    EXPECT_EQ(ball.jumpCharge, c.factor > 1.0 ? 0.0 : 0.5);
  }
  EXPECT_EQ(viewHeightTarget, 0.005);

  // The first rise after a contact at factor 1.0 is one step of entry 10.
  ball.jumpFactor = 1.0;
  collideBall();
  moveWorld();
  EXPECT_EQ(ball.position.z, 0.005 + 0.0085 * std::cos(10 * 0.08267349089473684));
}

TEST(Contact, FloorTakesUpPlayerVelocityThenWallSendsItBack) {
  installFloorAndWall();
  ball.speed = 0.002;
  ball.heading = 1.570796327;  // towards the wall
  collideBall();
  // Maths libraries round the cosine this close to pi/2 in other last places
  // than the test's compile-time value (Windows' does).
  EXPECT_NEAR(ball.velocityX, -(0.002 * std::cos(1.570796327)), 1e-20);
  EXPECT_EQ(ball.velocityY, -(0.002 * std::sin(1.570796327)));
  EXPECT_EQ(ball.heading, 1.570796327 + 3.141592654);
  EXPECT_EQ(ball.jumpIndex, 10);
}

TEST(Contact, WallReflectsOnlyABallMovingTowardsIt) {
  installFloorAndWall();
  ball.position.z = 0.02;
  ball.heading = 6.0;
  ball.jumpFactor = 1.4;
  ball.jumpCharge = 0.4;
  for (double vy : {-0.001, 0.0}) {  // away from it, along it
    ball.velocityX = 0.001;
    ball.velocityY = vy;
    collideBall();
    EXPECT_EQ(ball.velocityY, vy);
    EXPECT_EQ(ball.heading, 6.0);
  }
  ball.velocityY = 0.001;
  collideBall();
  EXPECT_EQ(ball.velocityX, -0.001);
  EXPECT_EQ(ball.velocityY, -0.001);
  EXPECT_EQ(ball.heading, 6.0 + 3.141592654);  // wrapped only by the keyboard handling
  EXPECT_EQ(ball.jumpIndex, 6);
  EXPECT_EQ(ball.jumpFactor, 1.0);
  EXPECT_EQ(ball.jumpCharge, 0.4);
}

TEST(Contact, TrapsGoalAndOtherTypes) {
  installFloorAndWall(TrapFlat);
  collideBall();
  EXPECT_EQ(lostLives, 1);
  setLifeLostHandler(nullptr);
  collideBall();

  // A lost life puts the ball back at its start: faces after the trap see
  // the ball there.
  installCourse({at(0.30, 0.01, 0), at(0.40, 0.11, 0), at(0.40, 0.01, 0)},
                {{0, 1, 2, TrapSloped}, {0, 1, 2, FloorFlat}}, at(0.5, 0.5, 0.5));
  setLifeLostHandler([] { ball.position = scene.initialBall; });
  ball.position = at(0.35, 0.03, 0.005);
  collideBall();
  EXPECT_EQ(ball.jumpIndex, 0);

  installFloorAndWall(-1);  // a floor that leaves the view height alone
  collideBall();
  EXPECT_EQ(ball.jumpIndex, 10);
  EXPECT_EQ(viewHeightTarget, 0.1);

  for (int type : {5, 6}) {
    installFloorAndWall(type);
    EXPECT_EXIT(collideBall(), testing::ExitedWithCode(portable::kExitMinusOne), "Sie haben gewonnen");
  }
}

TEST(Contact, FaceWithVertex0OnTheAxisNeverReacts) {
  installCourse({at(0.30, 0.0, 0), at(0.40, 0.10, 0), at(0.40, 0.0, 0)}, {{0, 1, 2, TrapFlat}},
                at(0.35, 0.02, 0.005));
  collideBall();
  EXPECT_EQ(lostLives, 0);
  installCourse({at(0.30, 0.0, 0), at(0.40, 0.10, 0), at(0.40, 0.0, 0)}, {{1, 0, 2, TrapFlat}},
                at(0.35, 0.02, 0.005));
  collideBall();
  EXPECT_EQ(lostLives, 1);
}

TEST(FacesTested, IntervalPlusTwoBeforeNineOnlyOwnIntervalFromNine) {
  // One far face in interval 8, three traps under the ball in interval 9,
  // one more in interval 10.
  installCourse({at(0.80, 0.5, 0), at(0.90, 0.6, 0), at(0.90, 0.5, 0), at(0.80, 0.01, 0), at(1.0, 0.21, 0),
                 at(1.0, 0.01, 0), at(0.90, 0.01, 0), at(1.09, 0.20, 0), at(1.09, 0.01, 0)},
                {{0, 1, 2, TrapFlat},
                 {3, 4, 5, TrapFlat},
                 {3, 4, 5, TrapFlat},
                 {3, 4, 5, TrapFlat},
                 {6, 7, 8, TrapFlat}},
                at(0.85, 0.02, 0.005));
  collideBall();
  EXPECT_EQ(lostLives, 2);
  lostLives = 0;
  ball.position.x = 0.95;
  collideBall();
  EXPECT_EQ(lostLives, 3);
}

TEST(FacesTested, NothingOutsideTheTables) {
  // A trap reaching from x -0.2 into interval 0, and nothing after it.
  installCourse({at(-0.2, 0.01, 0), at(0.1, 0.31, 0), at(0.1, 0.01, 0)}, {{0, 1, 2, TrapFlat}},
                at(-0.05, 0.02, 0.005));
  collideBall();  // truncation puts x -0.05 into interval 0
  EXPECT_EQ(lostLives, 1);
  for (double x :
       {-0.15, std::numeric_limits<double>::quiet_NaN(), 0.55, -std::numeric_limits<double>::infinity()}) {
    ball.position.x = x;
    collideBall();
  }
  EXPECT_EQ(lostLives, 1);

  ball.position.x = 1.0999;
  collideBall();
  for (double x : {1.1, 1e300, std::numeric_limits<double>::infinity()}) {
    ball.position.x = x;
    EXPECT_EXIT(collideBall(), testing::ExitedWithCode(portable::kExitMinusOne), "Ball in Intervall 11");
  }
}

TEST(CornerTest, WedgesAtVertex0AndVertex1) {
  installFloorAndWall();
  const SceneFace &floor = scene.faces[0];
  EXPECT_EQ(isInsideCornerV0(floor, at(0.35, 0.03, 0)), 1);
  EXPECT_EQ(isInsideCornerV1(floor, at(0.35, 0.03, 0)), 1);
  EXPECT_EQ(isInsideCornerV0(floor, at(0.45, 0.03, 0)), 1);
  EXPECT_EQ(isInsideCornerV1(floor, at(0.45, 0.03, 0)), 0);
  EXPECT_EQ(isInsideCornerV0(floor, at(0.35, 0.08, 0)), 0);
  EXPECT_EQ(isInsideCornerV0(floor, at(0.30, 0.01, 0)), 0);  // the corner itself

  SceneFace broken = floor;
  broken.line2 = broken.line1;
  EXPECT_EXIT(isInsideCornerV0(broken, at(0.35, 0.03, 0)), testing::ExitedWithCode(portable::kExitMinusOne),
              "falsche Fläche");
}
