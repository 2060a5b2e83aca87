// LoadSceneOrReturn: a course file's fault comes back as a value, with the
// file closed, the half-read tables gone and the caller's exit hook and
// message box in place again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/portable.h"
#include "course_files.h"
#include "game/scene/fatal_message.h"
#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"

namespace {

// The loader's files are opened through the C library.
int openFiles() {
  return portable::openFileCount();
}

int boxes = 0;
void countBox(const char *, const char *) {
  ++boxes;
}
void callerHook(int, const char *, const char *) {
  std::abort();  // never reached in these tests
}

class LoadOrReturnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes = 0;
    setFatalExitHook(callerHook);
    setFatalMessageBoxShower(countBox);
  }
  void TearDown() override {
    setFatalExitHook(nullptr);
    setFatalMessageBoxShower(nullptr);
    ResetScene();
  }
  CourseDirectory dir;
};

TEST_F(LoadOrReturnTest, FaultsComeBackWithTheirMessageAndKeepNothing) {
  struct Case {
    std::string from, to, caption, text;
  } cases[] = {
      {"2:500,400,0;", "2:500,400;", "2:500,400;\n", "Ungültige Punkteangabe"},
      {"0:0,1,2,0;", "0:0,1,2,0;\n0:0,1,2,0;", "0:0,1,2,0;\n", "Fläche redefiniert"},
      {"2:2,0;", "2:1,0;", FatalMessageCaption, "falsche Fläche"},
      {"10:1000,-300,200;\n", "", FatalMessageCaption, "Zuwenige Kameras in Szenenbeschreibung"},
  };
  const int filesBefore = openFiles();
  for (int round = 0; round < 50; ++round) {
    for (const Case &c : cases) {
      SceneLoadFailure failure;
      ASSERT_FALSE(LoadSceneOrReturn(dir.write(replaced(exampleCourse(), c.from, c.to)).c_str(), &failure));
      EXPECT_EQ(failure.caption, c.caption);
      EXPECT_EQ(failure.text, c.text);
      EXPECT_TRUE(scene.points.empty() && scene.lines.empty() && scene.faces.empty() &&
                  scene.ballFaces.empty());
    }
  }
  EXPECT_EQ(openFiles(), filesBefore);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(fatalExitHook(), callerHook);
  EXPECT_EQ(fatalMessageBoxShower(), countBox);

  EXPECT_FALSE(LoadSceneOrReturn(dir.missing().c_str(), nullptr));
  EXPECT_FALSE(LoadSceneOrReturn(nullptr, nullptr));
  EXPECT_EQ(fatalExitHook(), callerHook);
}

TEST_F(LoadOrReturnTest, AGoodCourseAfterABadOneLoadsWhole) {
  ASSERT_FALSE(LoadSceneOrReturn(dir.write(replaced(exampleCourse(), "1:1,2;", "1:1,9;")).c_str(), nullptr));
  ASSERT_TRUE(LoadSceneOrReturn(dir.write(exampleCourse()).c_str(), nullptr));
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_EQ(scene.lineCount, 75);
  ASSERT_EQ(scene.faceCount, 1);
  EXPECT_EQ(scene.intervalFirstFace[6], &scene.faces[0]);
  EXPECT_DOUBLE_EQ(scene.initialBall.x, 0.1);
  EXPECT_EQ(fatalExitHook(), callerHook);
}

}  // namespace
