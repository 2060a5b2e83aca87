// The course pack played through kelvaro-headless: every course is what its
// generator writes, keeps the pulsing points to the platform, is won by its
// winning script in both sizes (also with every key a little early or late),
// and costs a life at its hazard under its losing script. Choosing a course
// on the command line refuses names that are not plain catalogue entries.
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "content_support.h"
#include "headless_child.h"

namespace {

namespace fs = std::filesystem;
using namespace headless_test;

struct PackCourse {
  const char *name;
  double lossFrom, lossTo;  // where the losing script's ball is lost, along x
};
// Easy to hard, as the catalogue lists them after the bundled course.
const PackCourse packCourses[] = {
    {"auftakt", 0.30, 0.33},  // off the path where it bends
    {"fallen", 0.15, 0.23},   // into the first trap band
    {"sprung", 0.25, 0.28},   // into the first wide gap
    {"welle", 0.48, 0.51},    // short of the far side of the platform's gap
    {"marathon", 0.10, 0.25}, // off the edge in the maze's first lane
};

struct TracePoint {
  long pass = 0;
  int menuMode = 0, lives = 0;
  double x = 0, y = 0, z = 0;
};

std::vector<TracePoint> readTrace(const std::string &path) {
  std::vector<TracePoint> points;
  for (const std::string &line : lines(readFile(path))) {
    TracePoint p;
    std::istringstream(line) >> p.pass >> p.menuMode >> p.lives >> p.x >> p.y >> p.z;
    points.push_back(p);
  }
  return points;
}

class CoursePack : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(program())) << "missing " << program();
    ASSERT_TRUE(fileExists(dataDir() + "/courses/courses.txt")) << "missing course pack in " << dataDir();
    scratch_ = scratchDir();
    ASSERT_FALSE(scratch_.empty());
  }
  void TearDown() override {
    if (!scratch_.empty() && !HasFailure()) fs::remove_all(scratch_);
  }
  std::string path(const std::string &name) const { return scratch_ + "/" + name; }
  std::string script(const std::string &name) const { return sourceDir() + "/assets/scripts/" + name; }

  // Plays `keys` on `course` in the build's data folder, with a trace.
  ChildResult play(const std::string &course, const std::string &keys, const char *size) {
    return runHeadless({"--size", size, "--keys", keys, "--clock-step", "16", "--frames", "6000", "--trace",
                        path("trace.txt"), "--", "-course", course},
                       dataDir(), scratch_);
  }

  // A copy of the script with every key from pass 3 on (after the menu)
  // moved by `shift` passes.
  std::string shifted(const std::string &keys, int shift) {
    std::ostringstream out;
    for (const std::string &line : lines(readFile(keys))) {
      long pass = 0;
      std::string key;
      if (line.empty() || line[0] == '#' || !(std::istringstream(line) >> pass >> key)) continue;
      out << (pass >= 3 ? pass + shift : pass) << " " << key << "\n";
    }
    const std::string file = path("shifted.keys");
    writeFile(file, out.str());
    return file;
  }

  std::string scratch_;
};

TEST_F(CoursePack, EveryCourseIsItsGeneratorsOutputAndOnlyItsPlatformMoves) {
  const std::string mkcourse = content::binaryDir() + "/tools/mkcourse/mkcourse";
  for (const PackCourse &c : packCourses) {
    SCOPED_TRACE(c.name);
    const std::string dir = sourceDir() + "/assets/courses/" + c.name;
    const std::string out = path(std::string(c.name) + ".txt");
    ASSERT_EQ(content::run(mkcourse + " " + dir + "/course.txt " + out + " assets/courses/" + c.name +
                           "/course.txt"),
              0);
    const auto generated = content::readBytes(out);
    EXPECT_TRUE(generated == content::readBytes(dir + "/inp1.txt"))
        << dir << "/inp1.txt is out of date: regenerate it with mkcourse from course.txt";
    EXPECT_TRUE(generated == content::readBytes(dataDir() + "/courses/" + c.name + "/inp1.txt"));

    // The game moves points 62, 66, 70 and 74 on every course: lines may
    // reach them only where the course has its pulsing platform.
    const bool hasPlatform = readFile(dir + "/course.txt").find("\npulse ") != std::string::npos;
    bool inLines = false;
    int movingEnds = 0;
    for (const std::string &line : lines(readFile(dir + "/inp1.txt"))) {
      if (line.size() == 2 && line[1] == ':') inLines = line == "l:";
      int index = 0, p0 = 0, p1 = 0;
      char colon = 0, comma = 0;
      if (!inLines || !(std::istringstream(line) >> index >> colon >> p0 >> comma >> p1)) continue;
      for (int p : {p0, p1}) movingEnds += p == 62 || p == 66 || p == 70 || p == 74;
    }
    EXPECT_EQ(movingEnds > 0, hasPlatform) << movingEnds << " line ends on the moving points";
  }
  EXPECT_TRUE(content::readBytes(dataDir() + "/courses/klassik/inp1.txt") ==
              content::readBytes(sourceDir() + "/assets/inp1.txt"));
}

TEST_F(CoursePack, WinningScriptsWinInBothSizesWithoutALostLife) {
  for (const char *size : {"640x480", "320x240"}) {
    for (const PackCourse &c : packCourses) {
      SCOPED_TRACE(std::string(c.name) + " " + size);
      const ChildResult r = play(c.name, script(std::string(c.name) + "-win.keys"), size);
      EXPECT_EQ(r.status, 255) << r.err;
      EXPECT_NE(r.err.find("Sie haben gewonnen"), std::string::npos) << r.err;
      const std::vector<TracePoint> trace = readTrace(path("trace.txt"));
      ASSERT_FALSE(trace.empty());
      EXPECT_EQ(trace.back().lives, 3);
      EXPECT_GT(trace.back().x, 0.95);
    }
  }
}

// A person cannot press keys to the pass: the game takes a new heading or
// speed only at a bounce, and the scripts press between bounces, so the same
// keys two passes early or late still win.
TEST_F(CoursePack, WinningScriptsStillWinWithEveryKeyEarlierOrLater) {
  for (const PackCourse &c : packCourses) {
    for (int shift : {-2, 2}) {
      SCOPED_TRACE(std::string(c.name) + " shifted by " + std::to_string(shift));
      const ChildResult r = play(c.name, shifted(script(std::string(c.name) + "-win.keys"), shift), "320x240");
      EXPECT_EQ(r.status, 255) << r.err;
      EXPECT_NE(r.err.find("Sie haben gewonnen"), std::string::npos) << r.err;
    }
  }
}

TEST_F(CoursePack, LosingScriptsLoseOneLifeAtTheCoursesHazard) {
  for (const char *size : {"640x480", "320x240"}) {
    for (const PackCourse &c : packCourses) {
      SCOPED_TRACE(std::string(c.name) + " " + size);
      const ChildResult r = play(c.name, script(std::string(c.name) + "-lose.keys"), size);
      EXPECT_EQ(r.status, 0) << r.err;  // the script's Escape
      const std::vector<TracePoint> trace = readTrace(path("trace.txt"));
      ASSERT_GT(trace.size(), 1u);
      const auto lost = std::adjacent_find(trace.begin(), trace.end(), [](const TracePoint &a, const TracePoint &b) {
        return a.lives == 3 && b.lives == 2;
      });
      ASSERT_NE(lost, trace.end()) << "no life lost";
      EXPECT_GE(lost->x, c.lossFrom);
      EXPECT_LE(lost->x, c.lossTo);
      EXPECT_EQ(trace.back().lives, 2);
    }
  }
}

// The sky above the course in the first playing frame: a course with a
// background of its own shows it, a course without one the bundled sky.
TEST_F(CoursePack, CourseFoldersOwnPicturesAreDrawnAndTheBundledLookFillsIn) {
  writeFile(path("start.keys"), "0 +up\n1 -up\n1 +right\n2 -right\n");
  auto sky = [&](const std::string &course) {
    const ChildResult r =
        runHeadless({"--keys", path("start.keys"), "--clock-step", "16", "--frames", "4", "--shot",
                     "3:" + path("shot.bmp"), "--", "-course", course},
                    dataDir(), scratch_);
    EXPECT_EQ(r.status, 0) << course << ": " << r.err;
    const Picture8 shot = readPicture8(path("shot.bmp"));
    EXPECT_TRUE(shot.ok) << course;
    std::vector<uint32_t> rows;
    for (size_t i = 640 * 40; i < 640 * 120 && i < shot.pixels.size(); ++i) rows.push_back(shot.colours[shot.pixels[i]]);
    return rows;
  };
  const std::vector<uint32_t> bundled = sky("klassik");
  ASSERT_FALSE(bundled.empty());
  EXPECT_EQ(sky("fallen"), bundled);  // no background of its own
  for (const char *own : {"auftakt", "sprung", "welle", "marathon"}) EXPECT_NE(sky(own), bundled) << own;
}

TEST_F(CoursePack, ListsTheCoursesEasyToHard) {
  const ChildResult r = runHeadless({"--frames", "1", "--", "-courses"}, dataDir(), scratch_);
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  for (const std::string &line : lines(r.out)) {
    std::istringstream words(line);
    std::string name, description;
    words >> name >> description;
    EXPECT_FALSE(description.empty()) << line;
    names.push_back(name);
  }
  const std::vector<std::string> expected = {"klassik", "auftakt", "fallen", "sprung", "welle", "marathon"};
  EXPECT_EQ(names, expected);
}

// Names come from the command line: only a catalogue entry leads into the
// pack. A decoy course beside the pack, which a path could reach, must never
// be loaded (it would end the game with a loader message instead).
TEST_F(CoursePack, RefusesUnknownEmptyAndPathNamesAndOpensNothingOutsideThePack) {
  const fs::path root = scratch_ + "/data";
  fs::create_directories(root / "courses" / "fallen");
  fs::copy_file(dataDir() + "/courses/courses.txt", root / "courses" / "courses.txt");
  fs::copy_file(dataDir() + "/courses/fallen/inp1.txt", root / "courses" / "fallen" / "inp1.txt");
  fs::create_directories(root / "decoy");
  writeFile((root / "decoy" / "inp1.txt").string(), "b:1,2,3;\n");
  writeFile((root / "courses" / "inp1.txt").string(), "b:1,2,3;\n");

  struct Case {
    std::vector<std::string> args;
    const char *message;
  } cases[] = {
      {{"-course", "nirgendwo"}, "Unbekannter Kurs \"nirgendwo\""},
      {{"-course", "Fallen"}, "Ungültiger Kursname"},
      {{"-course"}, "fehlt der Name"},
      {{"-course", ""}, "fehlt der Name"},
      {{"-course", "../decoy"}, "Ungültiger Kursname"},
      {{"-course", ".."}, "Ungültiger Kursname"},
      {{"-course", "."}, "Ungültiger Kursname"},
      {{"-course", "fallen/../../decoy"}, "Ungültiger Kursname"},
      {{"-course", "..\\decoy"}, "Ungültiger Kursname"},
      {{"-course", "/tmp"}, "Ungültiger Kursname"},
      {{"-course", "auftakt"}, "unvollständig installiert"},  // listed, but its folder is missing here
  };
  for (const Case &c : cases) {
    std::vector<std::string> args = {"--frames", "2", "--"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const std::string shown = c.args.size() > 1 ? c.args[1] : "(none)";
    SCOPED_TRACE(shown);
    const ChildResult r = runHeadless(args, root.string(), scratch_);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Verfügbare Kurse:\n  klassik"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Wichtige Mitteilung"), std::string::npos) << "a course was loaded: " << r.err;
  }
  // The pack's own course starts, and finds the bundled pictures through
  // RK_ROOT set to the data folder (none lie in this copy): it fails only for
  // lack of them, after loading the course.
  const ChildResult r = runHeadless({"--frames", "2", "--", "-course", "fallen"}, root.string(), scratch_);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("little.fnt"), std::string::npos) << r.err;
}

}  // namespace
