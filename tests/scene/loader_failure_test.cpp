// Every way a course file can end the program: the message, the caption (the
// offending normalised line, line feed included, or the fixed title) and the
// exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/portable.h"
#include "course_files.h"
#include "fatal_capture.h"
#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"

namespace {

struct FailureCase {
  const char *name;
  std::string course;  // empty: the file does not exist
  std::string text;
  std::string caption;
};

void PrintTo(const FailureCase &c, std::ostream *os) {
  *os << c.name;
}

const std::string Fixed = FatalMessageCaption;

std::string withPoints(const std::string &extraPoints) {
  return replaced(exampleCourse(), "2:500,400,0;\n", "2:500,400,0;\n" + extraPoints);
}

// Four faces; face 3 (from its own points 3 to 5) has an angle of 135 degrees
// at vertex1.
std::string obtuseFaceThree() {
  std::string text = withPoints("3:0,100,0;\n4:100,100,0;\n5:200,200,0;\n");
  text = replaced(text, "2:2,0;\n", "2:2,0;\n3:3,4;\n4:4,5;\n5:5,3;\n");
  return replaced(text, "0:0,1,2,0;\n", "0:0,1,2,0;\n1:0,1,2,0;\n2:0,2,1,0;\n3:3,4,5,0;\n");
}

std::vector<FailureCase> failureTable() {
  const std::string ex = exampleCourse();
  return {
      {"FileMissing", "", "Szenebeschreibung kann nicht geöffnet werden", Fixed},
      {"BallUnreadable", replaced(ex, "b:100,200,50;", "b:x,1,2;"), "ungültige Ball-Startposition", Fixed},
      {"BallTooFewNumbers", replaced(ex, "b:100,200,50;", "b:100,200;"), "ungültige Ball-Startposition",
       Fixed},
      {"CameraUnreadable", replaced(ex, "3:300,-300,200;", "3:300,-300;"), "Kamera: Ungültige Angabe",
       "3:300,-300;\n"},
      {"CameraIndexEleven", replaced(ex, "10:1000,-300,200;", "11:1000,-300,200;"),
       "Kamera: Falscher bzw. mehrfacher Index", "11:1000,-300,200;\n"},
      {"CameraTwice", replaced(ex, "10:1000,-300,200;", "1 0:1000,-300,200;\n4:0,0,0;"),
       "Kamera: Falscher bzw. mehrfacher Index", "4:0,0,0;\n"},
      {"PointUnreadable", replaced(ex, "1:1000,0,0;", "1:1000,0;"), "Ungültige Punkteangabe", "1:1000,0;\n"},
      {"PointOverflow", replaced(ex, "1:1000,0,0;", "1:2147483648,0,0;"), "Ungültige Punkteangabe",
       "1:2147483648,0,0;\n"},
      {"PointIndexTooLarge", replaced(ex, "2:500,400,0;", "3:500,400,0;"),
       "Punkt: Punktindex Bereichsüberschreitung", "3:500,400,0;\n"},
      {"PointTwice", replaced(ex, "2:500,400,0;", "1 : 5 0 0 , 4 0 0 , 0 ;"), "Punkt redefiniert",
       "1:500,400,0;\n"},
      {"LineUnreadable", replaced(ex, "1:1,2;", "1:1;"), "Ungültige Linie", "1:1;\n"},
      {"LinePointIndexTooLarge", replaced(ex, "1:1,2;", "1:1,3;"), "Linie: Punktindex Bereichsüberschreitung",
       "1:1,3;\n"},
      {"LineNegativeEndPoint", replaced(ex, "1:1,2;", "1:1,-2;"), "Linie: Punktindex Bereichsüberschreitung",
       "1:1,-2;\n"},
      {"LineIndexTooLarge", replaced(ex, "2:2,0;", "3:2,0;"), "Linie: Punktindex Bereichsüberschreitung",
       "3:2,0;\n"},
      {"LineTwice", replaced(ex, "2:2,0;", "1:2,0;"), "Line redefiniert", "1:2,0;\n"},
      {"FaceUnreadable", replaced(ex, "0:0,1,2,0;", "0:0,1,2;"), "Ungültige Fläche", "0:0,1,2;\n"},
      {"FaceOverflow", replaced(ex, "0:0,1,2,0;", "0:0,1,2,-2147483649;"), "Ungültige Fläche",
       "0:0,1,2,-2147483649;\n"},
      {"FaceNegativeLine", replaced(ex, "0:0,1,2,0;", "0:0,1,-1,0;"), "Flächen: Index-Bereichsüberschreitung",
       "0:0,1,-1,0;\n"},
      {"FaceIndexTooLarge", replaced(ex, "0:0,1,2,0;", "1:0,1,2,0;"), "Flächen: Index-Bereichsüberschreitung",
       "1:0,1,2,0;\n"},
      {"FaceTwice", replaced(ex, "0:0,1,2,0;", "0:0,1,2,0;\n0:0,2,1,0;"), "Fläche redefiniert",
       "0:0,2,1,0;\n"},
      {"FaceNotClosed", replaced(withPoints("3:0,300,0;\n"), "2:2,0;", "2:3,0;"), "falsche Fläche", Fixed},
      {"FaceObtuse", obtuseFaceThree(), "Fläche 3 falsch angegeben", Fixed},
      {"CameraMissing", replaced(ex, "7:700,-300,200;\n", ""), "Zuwenige Kameras in Szenenbeschreibung",
       Fixed},
      {"EmptyFile", "\n", "Zuwenige Kameras in Szenenbeschreibung", Fixed},
      // Decisions for files that the format cannot make sense of.
      {"FaceBeforeItsLines", replaced(replaced(ex, "f:\n0:0,1,2,0;\n", ""), "l:\n", "f:\n0:0,1,2,0;\nl:\n"),
       "Fläche 0: Linie oder Punkt noch nicht definiert", Fixed},
      {"FaceBeforeItsPoints", replaced(ex, "2:500,400,0;\n", "") + "p:\n2:500,400,0;\n",
       "Fläche 0: Linie oder Punkt noch nicht definiert", Fixed},
      {"FaceTypeSix", replaced(ex, "0:0,1,2,0;", "0:0,1,2,6;"), "Fläche 0: unbekannter Flächentyp", Fixed},
      {"FaceTypeNegative", replaced(ex, "0:0,1,2,0;", "0:0,1,2,-1;"), "Fläche 0: unbekannter Flächentyp",
       Fixed},
      {"FaceBeyondTheCourse",
       replaced(replaced(withPoints("3:1100,0,0;\n4:1200,0,0;\n5:1150,40,0;\n"), "2:2,0;",
                         "2:2,0;\n3:3,4;\n4:4,5;\n5:5,3;"),
                "0:0,1,2,0;", "0:0,1,2,0;\n1:3,4,5,0;"),
       "Fläche 1 liegt außerhalb der Strecke", Fixed},
      {"FaceBeforeTheCourse",
       replaced(replaced(replaced(ex, "0:0,0,0;", "0:-1000,0,0;"), "1:1000,0,0;", "1:0,0,0;"), "2:500,400,0;",
                "2:-500,400,0;"),
       "Fläche 0 liegt außerhalb der Strecke", Fixed},
  };
}

// For the ball record between points and the camera records after a ball
// record: the consequences of where a ball record stands.
std::vector<FailureCase> ballPlacementCases() {
  const std::string ex = exampleCourse();
  return {
      {"BallBetweenPoints", replaced(ex, "2:500,400,0;", "b:1,2,3;\n2:500,400,0;"),
       "Punkt: Punktindex Bereichsüberschreitung", "2:500,400,0;\n"},
      {"CamerasAfterBall", replaced(ex, "8:800,-300,200;", "b:1,2,3;\n8:800,-300,200;"),
       "Zuwenige Kameras in Szenenbeschreibung", Fixed},
  };
}

class LoadSceneFailure : public SceneFileTest, public ::testing::WithParamInterface<FailureCase> {
 protected:
  std::string path() {
    const FailureCase &c = GetParam();
    return c.course.empty() ? dir_.missing() : write(c.course);
  }
};

TEST_P(LoadSceneFailure, ReportsTextAndCaption) {
  const FailureCase &c = GetParam();
  std::string file = path();
  FatalCaught caught = expectFatal([&] { LoadScene(file.c_str()); });
  EXPECT_EQ(caught.text, c.text);
  EXPECT_EQ(caught.caption, c.caption);
  EXPECT_EQ(caught.status, -1);
}

std::string regexEscaped(const std::string &s) {
  std::string out;
  for (char ch : s) {
    if (std::string(".[]{}()\\*+?^$|").find(ch) != std::string::npos) out += '\\';
    out += ch;
  }
  return out;
}

TEST_P(LoadSceneFailure, EndsTheProgramWithStatus255) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const FailureCase &c = GetParam();
  std::string file = path();
  std::string caption = c.caption;
  if (!caption.empty() && caption.back() == '\n') caption.pop_back();
  // Standard error carries one line "caption: text".
  EXPECT_EXIT(LoadScene(file.c_str()), ::testing::ExitedWithCode(portable::kExitMinusOne),
              "^" + regexEscaped(caption + ": " + c.text) + "\n$");
}

std::string caseName(const ::testing::TestParamInfo<FailureCase> &info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Table, LoadSceneFailure, ::testing::ValuesIn(failureTable()), caseName);
INSTANTIATE_TEST_SUITE_P(BallPlacement, LoadSceneFailure, ::testing::ValuesIn(ballPlacementCases()),
                         caseName);

TEST(FatalMessage, EchoesOneLineShowsTheBoxThenExits) {
  static std::string shown;
  setFatalMessageBoxShower(
      [](const char *caption, const char *text) { shown = std::string(caption) + "|" + text; });
  FatalCaught caught = expectFatal([] { FatalMessageWithCaption("Text\n", "Titel\n"); });
  setFatalMessageBoxShower(nullptr);
  EXPECT_EQ(shown, "Titel\n|Text\n");  // the box gets both unchanged
  EXPECT_EQ(caught.caption, "Titel\n");
  EXPECT_EQ(caught.status, -1);
  EXPECT_EXIT(FatalMessage("Sie haben gewonnen"), ::testing::ExitedWithCode(portable::kExitMinusOne),
              std::string(portable::kDeathTestOutputStart) + "Wichtige Mitteilung \\(Kelvaro\\): Sie haben gewonnen\n$");
}

}  // namespace
