#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "course_files.h"
#include "fatal_capture.h"
#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"

namespace {

using LoadScene_ = SceneFileTest;

TEST_F(LoadScene_, WorkedExample) {
  load(exampleCourse());
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_EQ(scene.lineCount, 75);
  EXPECT_EQ(scene.faceCount, 1);
  EXPECT_EQ(scene.points.size(), 29u);
  EXPECT_EQ(scene.lines.size(), 75u);
  EXPECT_EQ(scene.faces.size(), 1u);
  EXPECT_EQ(scene.ballFaces.size(), 48u);
  EXPECT_EQ(scene.visibleBallFaces.size(), 48u);

  EXPECT_DOUBLE_EQ(scene.ballStart.x, 0.1);
  EXPECT_DOUBLE_EQ(scene.ballStart.y, 0.2);
  EXPECT_DOUBLE_EQ(scene.ballStart.z, 0.05);
  EXPECT_EQ(scene.initialBall.x, scene.ballStart.x);
  EXPECT_EQ(scene.initialBall.y, scene.ballStart.y);
  EXPECT_EQ(scene.initialBall.z, scene.ballStart.z);
  for (int k = 0; k <= 10; ++k) {
    EXPECT_DOUBLE_EQ(scene.cameras[k].x, 0.1 * k) << k;
    EXPECT_DOUBLE_EQ(scene.cameras[k].y, -0.3);
    EXPECT_DOUBLE_EQ(scene.cameras[k].z, 0.2);
  }

  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(scene.points[k].viewX, 1.0);
    EXPECT_EQ(scene.points[k].defined, 1);
  }
  EXPECT_EQ(scene.points[1].x, 1.0);
  EXPECT_DOUBLE_EQ(scene.points[2].y, 0.4);
  EXPECT_EQ(scene.lines[1].p0, &scene.points[1]);
  EXPECT_EQ(scene.lines[1].p1, &scene.points[2]);

  const SceneFace &face = scene.faces[0];
  EXPECT_EQ(face.line0, &scene.lines[0]);
  EXPECT_EQ(face.line2, &scene.lines[2]);
  EXPECT_EQ(face.vertex0, &scene.points[0]);
  EXPECT_EQ(face.vertex1, &scene.points[1]);
  EXPECT_EQ(face.vertex2, &scene.points[2]);
  EXPECT_EQ(face.type, FloorFlat);
  EXPECT_EQ(face.normal[0], 0);
  EXPECT_EQ(face.normal[1], 0);
  EXPECT_EQ(face.normal[2], 1);
  EXPECT_DOUBLE_EQ(face.cosSqVertex0, 0.6097560975609756);
  EXPECT_DOUBLE_EQ(face.cosSqVertex1, 0.6097560975609756);

  // sortKey 0.625 puts the face in interval 6.
  for (int k = 0; k < IntervalCount; ++k) {
    EXPECT_EQ(scene.intervalCount[k], k == 6 ? 1 : 0) << k;
    EXPECT_EQ(scene.intervalStart[k], k <= 6 ? 0 : 1) << k;
    EXPECT_EQ(scene.intervalFirstFace[k], k == 6 ? &scene.faces[0] : nullptr) << k;
  }

  // The ball mesh follows the course's points and lines.
  const ScenePoint &firstBallPoint = scene.points[scene.pointCount - 26];
  EXPECT_EQ(firstBallPoint.z, -0.0085);
  EXPECT_EQ(firstBallPoint.defined, 0);
  EXPECT_EQ(scene.lines[scene.lineCount - 72].p0, &firstBallPoint);
  EXPECT_EQ(scene.ballFaces[0].line0, &scene.lines[scene.lineCount - 72]);
}

TEST_F(LoadScene_, LoadingAgainStartsFromAnEmptyScene) {
  load(exampleCourse());
  load(replaced(exampleCourse(), "b:100,200,50;\n", ""));
  EXPECT_EQ(scene.ballStart.x, 0);  // no ball record: the ball starts at the origin
  EXPECT_EQ(scene.initialBall.z, 0);
  EXPECT_EQ(scene.pointCount, 29);
}

TEST_F(LoadScene_, CarriageReturnsBeforeLineFeedsAreDropped) {
  std::string crlf;
  for (char c : exampleCourse()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  load(crlf);
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_EQ(scene.faceCount, 1);
  EXPECT_DOUBLE_EQ(scene.ballStart.z, 0.05);
}

TEST_F(LoadScene_, SpacesAreRemovedEverywhereEvenInsideNumbers) {
  std::string text = replaced(exampleCourse(), "2:500,400,0;\n",
                              "2:500,400,0;\n3:0,0,0;\n4:0,0,0;\n5:0,0,0;\n6:0,0,0;\n7:0,0,0;\n"
                              "8:0,0,0;\n9:0,0,0;\n1 0 : 5, 7, 9 ;\n");
  load(replaced(text, "l:\n", " l : \n"));
  EXPECT_EQ(scene.pointCount, 11 + 26);
  EXPECT_DOUBLE_EQ(scene.points[10].x, 0.005);
  EXPECT_DOUBLE_EQ(scene.points[10].y, 0.007);
  EXPECT_DOUBLE_EQ(scene.points[10].z, 0.009);
  EXPECT_EQ(scene.faceCount, 1);  // " l : " was the lines marker
}

TEST_F(LoadScene_, OnlyExactLowerCaseMarkersOpenSections) {
  // Each of these is an ordinary line: the record after it stands before the
  // first marker and is ignored, so the course loads unchanged.
  for (const char *notAMarker : {"P:", "p:x", "p:\t", "\tp:", "p;", "pp:"}) {
    SCOPED_TRACE(notAMarker);
    load(std::string(notAMarker) + "\n0:1,2,3;\n" + exampleCourse());
    EXPECT_EQ(scene.pointCount, 29);
    EXPECT_EQ(scene.points[0].x, 0);
  }
}

TEST_F(LoadScene_, CommentLinesAndRecordsWithoutSemicolonsAndTrailingText) {
  std::string text = replaced(exampleCourse(), "p:\n", "p:\n\n-5:1,2,3;\n# comment\nx:1\n\t0:9,9,9;\n");
  text = replaced(text, "1:1000,0,0;\n", "1:1000,0,0\n");
  load(replaced(text, "0:0,1,2,0;\n", "0:0,1,2,0;trailing\n"));
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_EQ(scene.points[1].x, 1.0);
  EXPECT_EQ(scene.points[0].x, 0);
}

TEST_F(LoadScene_, LongLinesAreTakenAsSeveralLinesOf511Characters) {
  // 511 characters of comment, then the rest of the same line is a record.
  std::string comment = "#" + std::string(510, 'x');
  load(replaced(exampleCourse(), "2:500,400,0;\n", comment + "2:500,400,0;\n"));
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_DOUBLE_EQ(scene.points[2].y, 0.4);
  // Spaces count towards the 511 before they are removed.
  load(replaced(exampleCourse(), "2:500,400,0;\n", std::string(600, ' ') + "2:500,400,0;\n"));
  EXPECT_DOUBLE_EQ(scene.points[2].y, 0.4);
}

TEST_F(LoadScene_, SectionsMayRepeatAndComeInAnyOrder) {
  std::string text = exampleCourse();
  text = replaced(text, "2:500,400,0;\n", "");
  text = replaced(text, "k:\n", "p:\n2:500,400,0;\nk:\n");
  load(text);
  EXPECT_EQ(scene.pointCount, 29);
  EXPECT_DOUBLE_EQ(scene.points[2].x, 0.5);
}

TEST_F(LoadScene_, FullThirtyTwoBitRangeIsAccepted) {
  load(replaced(exampleCourse(), "2:500,400,0;\n", "2:500,400,0;\n3:2147483647,-2147483648,+7;\n"));
  EXPECT_EQ(scene.points[3].x, 2147483647 * 0.001);
  EXPECT_EQ(scene.points[3].y, -2147483648.0 * 0.001);
  EXPECT_EQ(scene.points[3].z, 0.007);
}

TEST_F(LoadScene_, UnusedPointsAndLinesStay) {
  std::string text = replaced(exampleCourse(), "2:500,400,0;\n", "2:500,400,0;\n3:7,8,9;\n");
  load(replaced(text, "2:2,0;\n", "2:2,0;\n3:3,3;\n"));
  EXPECT_EQ(scene.pointCount, 4 + 26);
  EXPECT_EQ(scene.lineCount, 4 + 72);
  EXPECT_EQ(scene.lines[3].p0, &scene.points[3]);
}

TEST_F(LoadScene_, FaceSlightlyBelowZeroFallsIntoIntervalZero) {
  std::string text = replaced(exampleCourse(), "1:1000,0,0;\n", "1:-50,0,0;\n");
  load(replaced(text, "2:500,400,0;\n", "2:-25,20,0;\n"));
  EXPECT_EQ(scene.intervalCount[0], 1);
  EXPECT_EQ(scene.intervalFirstFace[0], &scene.faces[0]);
  for (int k = 1; k < IntervalCount; ++k) EXPECT_EQ(scene.intervalStart[k], 1);
}

// A course of `keys.size()` faces, face i with its own three points and lines
// (line0 is line 3i) and sortKey keys[i] / 1000 in scene units.
std::string courseWithFaceKeys(const std::vector<int> &keys) {
  std::string points = "p:\n", lines = "l:\n", faces = "f:\n";
  for (size_t i = 0; i < keys.size(); ++i) {
    int x = keys[i] - 10;  // the key is (x + (x+20) + (x+20) + (x+10)) / 4 = x + 12.5
    std::string p = std::to_string(3 * i), q = std::to_string(3 * i + 1), r = std::to_string(3 * i + 2);
    points += p + ":" + std::to_string(x) + ",0,0;\n" + q + ":" + std::to_string(x + 20) + ",0,0;\n" + r +
              ":" + std::to_string(x + 10) + ",10,0;\n";
    lines += p + ":" + p + "," + q + ";\n" + q + ":" + q + "," + r + ";\n" + r + ":" + r + "," + p + ";\n";
    faces += std::to_string(i) + ":" + p + "," + q + "," + r + ",0;\n";
  }
  return "k:\n" + cameraRecords() + points + lines + faces;
}

int fileIndexOf(const SceneFace &face) {
  return static_cast<int>((face.line0 - scene.lines.data()) / 3);
}

TEST_F(LoadScene_, EqualKeysEndInTheExchangeSortsOrder) {
  // Keys 200, 200, 100: the last face is exchanged with the first, which then
  // stands behind its equal, so the order is not the file order.
  load(courseWithFaceKeys({200, 200, 100}));
  ASSERT_EQ(scene.faceCount, 3);
  EXPECT_EQ(fileIndexOf(scene.faces[0]), 2);
  EXPECT_EQ(fileIndexOf(scene.faces[1]), 1);
  EXPECT_EQ(fileIndexOf(scene.faces[2]), 0);
  // The face records moved along with their derived data.
  EXPECT_EQ(scene.faces[0].vertex0, scene.faces[0].line0->p0);
}

TEST_F(LoadScene_, FacesInAscendingOrderDoNotMove) {
  load(courseWithFaceKeys({100, 100, 150, 150, 150, 900}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(fileIndexOf(scene.faces[i]), i);
}

TEST_F(LoadScene_, SortMatchesWholeRecordExchangeSortWithManyTies) {
  // Keys from a small set so that ties are frequent; the reference is the
  // exchange sort written out on whole records.
  std::vector<int> keys;
  uint32_t state = 12345;
  for (int i = 0; i < 300; ++i) {
    state = state * 1103515245 + 12345;
    keys.push_back(50 + 100 * static_cast<int>((state >> 16) % 7));
  }
  struct Record {
    int key, fileIndex;
  };
  std::vector<Record> expected;
  for (int i = 0; i < 300; ++i) expected.push_back({keys[i], i});
  for (size_t i = 0; i + 1 < expected.size(); ++i) {
    for (size_t j = i + 1; j < expected.size(); ++j) {
      if (expected[j].key < expected[i].key) std::swap(expected[i], expected[j]);
    }
  }
  load(courseWithFaceKeys(keys));
  ASSERT_EQ(scene.faceCount, 300);
  int stableDifferences = 0;
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(fileIndexOf(scene.faces[i]), expected[i].fileIndex) << i;
    stableDifferences +=
        i > 0 && expected[i].key == expected[i - 1].key && expected[i].fileIndex < expected[i - 1].fileIndex;
  }
  EXPECT_GT(stableDifferences, 0);  // the case really differs from a stable sort

  // Interval tables: faces of interval k are faces[start[k]] .. start[k]+count[k]-1.
  int total = 0;
  for (int k = 0; k < IntervalCount; ++k) {
    EXPECT_EQ(scene.intervalStart[k], total);
    for (int i = total; i < total + scene.intervalCount[k]; ++i) {
      EXPECT_EQ((keys[fileIndexOf(scene.faces[i])] + 12) / 100, k);
    }
    EXPECT_EQ(scene.intervalFirstFace[k], scene.intervalCount[k] > 0 ? &scene.faces[total] : nullptr);
    total += scene.intervalCount[k];
  }
  EXPECT_EQ(total, 300);
}

TEST_F(LoadScene_, AllFacesInOneInterval) {
  load(courseWithFaceKeys({310, 320, 330}));
  for (int k = 0; k < IntervalCount; ++k) {
    EXPECT_EQ(scene.intervalCount[k], k == 3 ? 3 : 0);
    EXPECT_EQ(scene.intervalStart[k], k <= 3 ? 0 : 3);
    EXPECT_EQ(scene.intervalFirstFace[k] != nullptr, k == 3);
  }
}

}  // namespace
