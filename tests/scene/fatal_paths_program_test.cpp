// How kelvaro-headless ends on every fatal path: the one message line on
// standard error, the exit status (255 for the course and the game's end, 1
// for the library), nothing half-written left behind, and no sanitizer
// report from code that runs after the exit began.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "course_files.h"
#include "fatal_paths_support.h"

namespace {

using namespace fatal_paths;

const std::string Fixed = "Wichtige Mitteilung (Kelvaro)";

struct CourseCase {
  const char *name;
  std::string from, to;  // the change to the small course that loads
  std::string line;      // expected "caption: text"
};

std::vector<CourseCase> courseCases() {
  return {
      {"BallUnreadable", "b:100,200,50;", "b:x;", Fixed + ": ungültige Ball-Startposition"},
      {"CameraUnreadable", "3:300,-300,200;", "3:x", "3:x: Kamera: Ungültige Angabe"},
      {"CameraIndex", "10:1000,-300,200;", "11:1,2,3;", "11:1,2,3;: Kamera: Falscher bzw. mehrfacher Index"},
      {"CameraMissing", "10:1000,-300,200;\n", "", Fixed + ": Zuwenige Kameras in Szenenbeschreibung"},
      {"PointUnreadable", "1:1000,0,0;", "1:1000", "1:1000: Ungültige Punkteangabe"},
      {"PointIndex", "2:500,400,0;", "3:500,400,0;",
       "3:500,400,0;: Punkt: Punktindex Bereichsüberschreitung"},
      {"PointTwice", "2:500,400,0;", "1:500,400,0;", "1:500,400,0;: Punkt redefiniert"},
      {"LineUnreadable", "1:1,2;", "1:1;", "1:1;: Ungültige Linie"},
      {"LineIndex", "1:1,2;", "1:1,7;", "1:1,7;: Linie: Punktindex Bereichsüberschreitung"},
      {"LineTwice", "2:2,0;", "1:2,0;", "1:2,0;: Line redefiniert"},
      {"FaceUnreadable", "0:0,1,2,0;", "0:0,1,2;", "0:0,1,2;: Ungültige Fläche"},
      {"FaceIndex", "0:0,1,2,0;", "0:0,1,5,0;", "0:0,1,5,0;: Flächen: Index-Bereichsüberschreitung"},
      {"FaceTwice", "0:0,1,2,0;", "0:0,1,2,0;\n0:0,1,2,0;", "0:0,1,2,0;: Fläche redefiniert"},
      {"FaceOpen", "2:2,0;", "2:1,0;", Fixed + ": falsche Fläche"},
      {"FaceObtuse", "2:500,400,0;", "2:1500,100,0;", Fixed + ": Fläche 0 falsch angegeben"},
  };
}

// Shots are asked for at pass 0 so that a run reaching the main loop would
// write one; a run that ends before must leave no file at all.
std::vector<std::string> runArguments() {
  return {"--frames", "5", "--clock-step", "20", "--trace", "trace.txt", "--shot", "0:shot.bmp"};
}

void expectCleanEnd(const GameFolder &folder, const Ending &ending) {
  EXPECT_FALSE(sanitizerSpoke(ending.err)) << ending.err;
  EXPECT_FALSE(fs::exists(folder / "shot.bmp"));
  // The trace is opened before the game starts; nothing may stand in it.
  EXPECT_EQ(readFile(folder / "trace.txt"), "");
  for (const std::string &name : folder.ownFiles())
    EXPECT_TRUE(name == "trace.txt" || name == "inp1.txt") << "left behind: " << name;
}

TEST(FatalPathsProgram, EveryCourseFaultEndsWithItsMessageAndStatus255) {
  for (const CourseCase &c : courseCases()) {
    SCOPED_TRACE(c.name);
    const std::string course = replaced(exampleCourse(), c.from, c.to);
    ASSERT_NE(course, exampleCourse());
    GameFolder folder;
    folder.replace("inp1.txt", course);
    const Ending ending = runGame(folder, runArguments());
    EXPECT_EQ(ending.status, 255);
    EXPECT_TRUE(hasLine(ending.err, c.line)) << ending.err;
    expectCleanEnd(folder, ending);
  }
  GameFolder folder;
  folder.remove("inp1.txt");
  const Ending ending = runGame(folder, runArguments());
  EXPECT_EQ(ending.status, 255);
  EXPECT_TRUE(hasLine(ending.err, Fixed + ": Szenebeschreibung kann nicht geöffnet werden")) << ending.err;
  expectCleanEnd(folder, ending);
}

TEST(FatalPathsProgram, MissingOrBrokenPicturesAndFontEndWithTheLibraryReport) {
  const std::vector<std::string> files = {"little.fnt", "bkgr1.bmp", "text1.bmp",  "text2.bmp",   "text3.bmp",
                                          "text4.bmp",  "leben.bmp", "x640ok.bmp", "x640quit.bmp"};
  for (const std::string &name : files) {
    for (bool missing : {true, false}) {
      SCOPED_TRACE(name + (missing ? " missing" : " broken"));
      GameFolder folder;
      if (missing) {
        folder.remove(name);
      } else {
        // The first bytes of the real file and no more.
        folder.replace(name, readFile(dataDir() / name).substr(0, 40));
      }
      const Ending ending = runGame(folder, runArguments());
      EXPECT_EQ(ending.status, 1);
      const size_t at = ending.err.find("RK Fatal Error!: ");
      ASSERT_NE(at, std::string::npos) << ending.err;
      const std::string line = ending.err.substr(at, ending.err.find('\n', at) - at);
      EXPECT_NE(line.find(name), std::string::npos) << line;
      EXPECT_FALSE(sanitizerSpoke(ending.err)) << ending.err;
      EXPECT_FALSE(fs::exists(folder / "shot.bmp"));
    }
  }
}

TEST(FatalPathsProgram, WinningEndsWithTheMessageAfterWholeTraceLines) {
  GameFolder folder;
  const std::string script = std::string(KELVARO_FATAL_SOURCE_DIR) + "/assets/scripts/win.keys";
  const Ending ending = runGame(folder, {"--keys", script, "--frames", "100000", "--clock-step", "20",
                                         "--trace", "trace.txt", "--shot", "99999:shot.bmp"});
  EXPECT_EQ(ending.status, 255);
  EXPECT_TRUE(hasLine(ending.err, Fixed + ": Sie haben gewonnen")) << ending.err;
  EXPECT_FALSE(sanitizerSpoke(ending.err)) << ending.err;
  EXPECT_FALSE(fs::exists(folder / "shot.bmp"));
  const std::string trace = readFile(folder / "trace.txt");
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace.back(), '\n');
  // Every line has all eleven fields.
  size_t start = 0, lines = 0;
  for (size_t end; (end = trace.find('\n', start)) != std::string::npos; start = end + 1, ++lines) {
    const std::string line = trace.substr(start, end - start);
    EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 10) << line;
  }
  EXPECT_GT(lines, 100u);
}

// The exit handlers run after main has returned; the frame-rate report
// among them must not read main's options then.
TEST(FatalPathsProgram, ANormalEndReportsAfterMainHasReturned) {
  GameFolder folder;
  const Ending ending = runGame(folder, {"--frames", "3", "--clock-step", "20", "--bench"});
  EXPECT_EQ(ending.status, 0);
  EXPECT_FALSE(sanitizerSpoke(ending.err)) << ending.err;
  EXPECT_EQ(ending.out.rfind("frames 3 seconds ", 0), 0u) << ending.out;
  const Ending quiet = runGame(folder, {"--frames", "3"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_FALSE(sanitizerSpoke(quiet.err)) << quiet.err;
  EXPECT_EQ(quiet.out, "");
}

TEST(FatalPathsProgram, AShotThatCannotBeWrittenWhollyLeavesNoFile) {
  GameFolder folder;
  // A 640 x 480 shot takes 308,278 bytes; the trace fits well below the cap.
  const Ending ending = runGame(folder, {"--frames", "5", "--shot", "1:shot.bmp"}, 100000);
  EXPECT_EQ(ending.status, 2);
  EXPECT_NE(ending.err.find("shot.bmp"), std::string::npos) << ending.err;
  EXPECT_FALSE(sanitizerSpoke(ending.err)) << ending.err;
  EXPECT_TRUE(folder.ownFiles().empty()) << "left behind: " << folder.ownFiles().front();

  const Ending written = runGame(folder, {"--frames", "5", "--shot", "1:shot.bmp"});
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(fs::file_size(folder / "shot.bmp"), 308278u);
  EXPECT_EQ(folder.ownFiles().size(), 1u);
}

}  // namespace
