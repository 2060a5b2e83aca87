// The course pack's catalogue and the names the command line may use.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game/shell/course_catalogue.h"
#include "game/shell/course_choice.h"

namespace {

TEST(CourseCatalogue, OnlyPlainLowerCaseNamesAreSafe) {
  for (const char *good : {"klassik", "a", "kurs-2", "mein_kurs", "0123456789abcdefghijklmnopqrstuv"})
    EXPECT_TRUE(isSafeCourseName(good)) << good;
  for (const char *bad : {"", ".", "..", "../x", "a/b", "a\\b", "/etc", "Kurs", "kurs.txt", "a b", "kurs\n",
                          "0123456789abcdefghijklmnopqrstuvw", "\xc3\xa4"})
    EXPECT_FALSE(isSafeCourseName(bad)) << bad;
}

TEST(CourseCatalogue, ReadsNamesAndDescriptionsSkippingCommentsDuplicatesAndUnsafeNames) {
  const auto file = std::filesystem::temp_directory_path() / "kelvaro_catalogue_test.txt";
  std::ofstream(file, std::ios::binary) << "# comment\r\n\r\neins  Der erste Kurs.\r\n"
                                           "../zwei Weg hinaus\nzwei\tZweiter\ndrei\neins Doppelt\n";
  const std::vector<CourseEntry> list = readCourseCatalogue(file.string());
  std::filesystem::remove(file);
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

}  // namespace
