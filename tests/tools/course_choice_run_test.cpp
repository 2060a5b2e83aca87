// The course choice driven by key scripts in kelvaro-headless: moving in
// the list and starting a course at both sizes, coming back after the quit
// item and after a win, the records and best runs it keeps, and those runs
// played back: to the same trace as the winning script, and never on a
// course whose files changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "headless_child.h"

namespace fs = std::filesystem;
using namespace headless_test;

namespace {

const char *const courses[] = {"klassik", "auftakt", "fallen", "sprung", "welle", "marathon"};
// Passes by which each course's winning script has won (its gold par and a
// little): the list is back by then.
const long wonBy[] = {1100, 1100, 1250, 1100, 1150, 3900};

class CourseChoiceRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(program())) << "missing " << program();
    scratch_ = scratchDir();
    ASSERT_FALSE(scratch_.empty());
  }
  void TearDown() override {
    if (!scratch_.empty() && !HasFailure()) fs::remove_all(scratch_);
  }
  std::string path(const std::string &name) const { return scratch_ + "/" + name; }
  std::string players() const { return scratch_ + "/player"; }

  static std::string winningScript(const std::string &course) {
    return sourceDir() + "/assets/scripts/" + (course == "klassik" ? "win" : course + "-win") + ".keys";
  }

  // Key lines that move down `steps` entries from the top and take the
  // course; the course starts in the pass after its key is let go, which
  // comes back through `start`.
  static std::string takeCourse(int steps, long from, long &start) {
    std::ostringstream out;
    long pass = from;
    for (int i = 0; i < steps; ++i, pass += 2) out << pass << " +down\n" << pass + 1 << " -down\n";
    out << pass << " +right\n" << pass + 1 << " -right\n";
    start = pass + 2;
    return out.str();
  }

  // A script's key lines moved to start at pass `start`.
  static std::string shifted(const std::string &script, long start) {
    std::ostringstream out;
    for (const std::string &line : lines(readFile(script))) {
      long pass = 0;
      std::string key;
      if (line.empty() || line[0] == '#' || !(std::istringstream(line) >> pass >> key)) continue;
      out << pass + start << " " << key << "\n";
    }
    return out.str();
  }

  // Takes `course` from the list, plays its winning script, then Escape in
  // the list once it is back: status 0 when the program came back.
  ChildResult winFromChoice(int index, const char *size = "640x480") {
    long start = 0;
    std::string keys = takeCourse(index, 0, start);
    keys += shifted(winningScript(courses[index]), start);
    keys += std::to_string(start + wonBy[index]) + " +escape\n";
    writeFile(path("win.keys"), keys);
    return runHeadless({"--size", size, "--keys", path("win.keys"), "--frames", "6000", "--player-files",
                        players(), "--", "-choose"},
                       dataDir(), scratch_);
  }

  std::string scratch_;
};

}  // namespace

// Down, Down, Up lands on the second course; Right opens its menu (the
// quit item first), Right there comes back to the list as it was left,
// Right again and its winning run win, and the list comes back with the
// record; Escape in the list ends the program normally.
TEST_F(CourseChoiceRun, MovesStartsAndComesBackAfterTheQuitItemAndTheWinAtBothSizes) {
  for (const char *size : {"640x480", "320x240"}) {
    SCOPED_TRACE(size);
    fs::remove_all(players());
    std::ostringstream keys;
    keys << "0 +down\n1 -down\n2 +down\n3 -down\n4 +up\n5 -up\n"
         << "10 +right\n11 -right\n"   // the course starts at pass 12, in its menu
         << "20 +right\n21 -right\n"   // its quit item: back to the list
         << "30 +right\n31 -right\n";  // the same course again
    keys << shifted(winningScript("auftakt"), 32) << "2000 +escape\n";
    writeFile(path("nav.keys"), keys.str());
    const ChildResult r = runHeadless(
        {"--size", size, "--keys", path("nav.keys"), "--frames", "2100", "--shot", "8:" + path("list.bmp"),
         "--shot", "15:" + path("menu.bmp"), "--shot", "25:" + path("back.bmp"), "--shot",
         "1999:" + path("after-win.bmp"), "--player-files", players(), "--", "-choose"},
        dataDir(), scratch_);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Sie haben gewonnen"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Erster Sieg auf \"auftakt\""), std::string::npos) << r.err;
    EXPECT_EQ(readFile(players() + "/records.txt").find("auftakt "), 18u);

    const Picture8 list = readPicture8(path("list.bmp")), menu = readPicture8(path("menu.bmp"));
    const Picture8 back = readPicture8(path("back.bmp")), afterWin = readPicture8(path("after-win.bmp"));
    ASSERT_TRUE(list.ok && menu.ok && back.ok && afterWin.ok);
    EXPECT_EQ(list.width, size[0] == '6' ? 640 : 320);
    EXPECT_NE(list.pixels, menu.pixels) << "the course's menu was not shown";
    EXPECT_EQ(list.pixels, back.pixels) << "the list did not come back as it was left";
    EXPECT_NE(list.pixels, afterWin.pixels) << "the list shows no record after the win";
  }
}

// Every course's winning run, taken from the list, is kept as its best run;
// that replay checked by kelvaro-headless wins with the same trace as the
// winning script started the design's way on that course. The small size
// draws a quarter of the pixels; the simulation is the same at both.
TEST_F(CourseChoiceRun, EveryCoursesWinIsKeptAndItsReplayPlaysBackToTheSameTrace) {
  for (int i = 0; i < 6; ++i) {
    const std::string course = courses[i];
    SCOPED_TRACE(course);
    const ChildResult won = winFromChoice(i, "320x240");
    ASSERT_EQ(won.status, 0) << won.err;
    const std::string replay = players() + "/" + course + ".replay";
    ASSERT_TRUE(fileExists(replay));

    const ChildResult scripted =
        runHeadless({"--size", "320x240", "--keys", winningScript(course), "--frames", "9000", "--trace",
                     path("scripted.trace"), "--", "-course", course},
                    dataDir(), scratch_);
    const ChildResult replayed = runHeadless(
        {"--keys", replay, "--frames", "9000", "--trace", path("replayed.trace")}, dataDir(), scratch_);
    EXPECT_EQ(scripted.status, 255) << scripted.err;
    EXPECT_EQ(replayed.status, 255) << replayed.err;
    EXPECT_EQ(readFile(path("scripted.trace")), readFile(path("replayed.trace")));
  }
  const std::string records = readFile(players() + "/records.txt");
  for (const char *course : courses)
    EXPECT_NE(records.find(std::string("\n") + course + " "), std::string::npos);
}

TEST_F(CourseChoiceRun, AReplayOfAChangedCourseOrADamagedReplayIsRefused) {
  ASSERT_EQ(winFromChoice(1).status, 0);
  const std::string replay = players() + "/auftakt.replay";

  const fs::path data = scratch_ + "/data";
  fs::copy(dataDir(), data, fs::copy_options::recursive);
  writeFile((data / "courses/auftakt/inp1.txt").string(),
            readFile((data / "courses/auftakt/inp1.txt").string()) + "\n");
  const ChildResult changed = runHeadless({"--keys", replay, "--frames", "9000"}, data.string(), scratch_);
  EXPECT_EQ(changed.status, 1);
  EXPECT_NE(changed.err.find("passt nicht zum Kurs \"auftakt\""), std::string::npos) << changed.err;

  std::string text = readFile(replay);
  writeFile(path("damaged.replay"), text.substr(0, text.find("# size")) + "# size 1x1\n");
  const ChildResult damaged = runHeadless({"--keys", path("damaged.replay")}, dataDir(), scratch_);
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("keine lesbare Aufzeichnung"), std::string::npos) << damaged.err;
}
