// The course pack's catalogue and the names the command line may use.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/portable.h"
#include "framework/host.h"
#include "game/shell/course_catalogue.h"
#include "game/shell/course_choice.h"
#include "graphics/rk_platform.h"

namespace {

TEST(CourseCatalogue, OnlyPlainLowerCaseNamesAreSafe) {
  for (const char *good : {"klassik", "a", "kurs-2", "mein_kurs", "0123456789abcdefghijklmnopqrstuv"})
    EXPECT_TRUE(isSafeCourseName(good)) << good;
  for (const char *bad : {"", ".", "..", "../x", "a/b", "a\\b", "/etc", "Kurs", "kurs.txt", "a b", "kurs\n",
                          "0123456789abcdefghijklmnopqrstuvw", "\xc3\xa4"})
    EXPECT_FALSE(isSafeCourseName(bad)) << bad;
}

TEST(CourseCatalogue, ReadsNamesAndDescriptionsSkippingCommentsDuplicatesAndUnsafeNames) {
  const auto folder = portable::makeTempFolder("kelvaro_catalogue_");
  const auto file = folder / "courses.txt";
  std::ofstream(file, std::ios::binary) << "# comment\r\n\r\neins  Der erste Kurs.\r\n"
                                           "../zwei Weg hinaus\nzwei\tZweiter\ndrei\neins Doppelt\n";
  const std::vector<CourseEntry> list = readCourseCatalogue(file.string());
  std::filesystem::remove_all(folder);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].name, "eins");
  EXPECT_EQ(list[0].description, "Der erste Kurs.");
  EXPECT_EQ(list[1].name, "zwei");
  EXPECT_EQ(list[1].description, "Zweiter");
  EXPECT_EQ(list[2].name, "drei");
  EXPECT_EQ(list[2].description, "");
  EXPECT_EQ(findCourse(list, "drei"), &list[2]);
  EXPECT_EQ(findCourse(list, "vier"), nullptr);
  EXPECT_EQ(formatCourseList(list), "  eins  Der erste Kurs.\n  zwei  Zweiter\n  drei  \n");
  EXPECT_TRUE(readCourseCatalogue("/nonexistent/courses.txt").empty());
}

TEST(CourseChoice, ReadsTheRequestFromTheCommandLine) {
  struct Case {
    std::vector<const char *> argv;
    CourseRequest::Kind kind;
    const char *name;
  } cases[] = {
      {{"k"}, CourseRequest::None, ""},
      {{"k", "-novga", "-course", "welle"}, CourseRequest::Start, "welle"},
      {{"k", "-COURSE", "welle", "-course", "sprung"}, CourseRequest::Start, "welle"},
      {{"k", "-course"}, CourseRequest::Start, ""},
      {{"k", "-course", "welle", "-Courses"}, CourseRequest::List, ""},
      {{"k", "-course=welle", "/course", "welle"}, CourseRequest::None, ""},
  };
  for (const Case &c : cases) {
    const CourseRequest r = readCourseRequest(static_cast<int>(c.argv.size()), c.argv.data());
    EXPECT_EQ(r.kind, c.kind) << c.argv.size();
    EXPECT_EQ(r.name, c.name);
  }
  EXPECT_EQ(enterRequestedCourse(CourseRequest{}), -1);
}

// Programs whose standard error nobody sees show the course messages in the
// back end's message box: a refusal with the list, and the list itself.
struct ShownBox {
  std::string caption, text;
  int kind;
};
std::vector<ShownBox> shownBoxes;
bool displayPresent = true;

class CourseBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    shownBoxes.clear();
    displayPresent = true;
    fake_.name = "boxes";
    fake_.hasDisplay = [] { return displayPresent; };
    fake_.messageBox = [](const char *caption, const char *text, int kind) {
      shownBoxes.push_back({caption, text, kind});
      return RK_AnswerOk;
    };
    previous_ = RK_platform();
    RK_setPlatform(&fake_);
    // The pack must be this folder's, not one RK_ROOT leads to.
    if (const char *root = std::getenv("RK_ROOT")) root_ = root;
    unsetenv("RK_ROOT");
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    here_ = here;
    folder_ = portable::makeTempFolder("kelvaro_course_boxes_");
    std::filesystem::create_directories(folder_ / "courses" / "eins");
    std::ofstream(folder_ / "courses" / "courses.txt") << "eins   Der erste Kurs.\nzwei   Der zweite.\n";
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }
  void TearDown() override {
    setHost(nullptr);
    RK_setPlatform(previous_);
    if (root_) setenv("RK_ROOT", root_->c_str(), 1);
    EXPECT_EQ(chdir(here_.c_str()), 0);
    std::filesystem::remove_all(folder_);
  }
  static CourseRequest start(const char *name) { return {CourseRequest::Start, name}; }

  RK_Platform fake_{};
  const RK_Platform *previous_ = nullptr;
  std::optional<std::string> root_;
  std::string here_;
  std::filesystem::path folder_;
};

TEST_F(CourseBoxes, RefusalsAndTheListShowInABoxOnlyWhereAsked) {
  // By default standard error alone carries them, as on Linux.
  EXPECT_EQ(enterRequestedCourse(start("drei")), 1);
  EXPECT_EQ(enterRequestedCourse({CourseRequest::List, ""}), 0);
  EXPECT_TRUE(shownBoxes.empty());

  // A host whose standard error nobody reads, like a window program's.
  static const Host unseen = {"unseen", nullptr, nullptr, nullptr, false, nullptr};
  setHost(&unseen);
  const std::string list = "Verfügbare Kurse:\neins – Der erste Kurs.\nzwei – Der zweite.";
  struct Case {
    CourseRequest request;
    int status;
    std::string text;
    int kind;
  } cases[] = {
      {start("drei"), 1, "Unbekannter Kurs \"drei\".\n\n" + list, RK_BoxOkWarning},
      {start("../eins"), 1, "Ungültiger Kursname \"../eins\".\n\n" + list, RK_BoxOkWarning},
      {start(""), 1, "Nach -course fehlt der Name eines Kurses.\n\n" + list, RK_BoxOkWarning},
      {start("zwei"), 1, "Der Kurs \"zwei\" ist unvollständig installiert.\n\n" + list, RK_BoxOkWarning},
      {{CourseRequest::List, ""}, 0, list, RK_BoxOkInfo},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    shownBoxes.clear();
    EXPECT_EQ(enterRequestedCourse(c.request), c.status);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].caption, "Kelvaro");
    EXPECT_EQ(shownBoxes[0].text, c.text);
    EXPECT_EQ(shownBoxes[0].kind, c.kind);
  }

  // Without a pack the box says so.
  shownBoxes.clear();
  std::filesystem::remove(folder_ / "courses" / "courses.txt");
  EXPECT_EQ(enterRequestedCourse(start("eins")), 1);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_NE(shownBoxes[0].text.find("Keine Kurse installiert"), std::string::npos);

  // Nothing can be shown without a display: standard error carries it.
  shownBoxes.clear();
  displayPresent = false;
  EXPECT_EQ(enterRequestedCourse(start("eins")), 1);
  EXPECT_TRUE(shownBoxes.empty());
}

}  // namespace
