// Writing course files into a temporary directory for the loader tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/scratch_folder.h"
#include "game/scene/scene_loader.h"

class CourseDirectory {
 public:
  CourseDirectory() : folder_("kelvaro-scene-") {}

  // Writes `text` byte for byte and returns the file's path.
  std::string write(const std::string &text, const std::string &name = "inp1.txt") const {
    std::string file = (folder_ / name).string();
    std::ofstream out(file, std::ios::binary);
    out << text;
    return file;
  }
  std::string missing() const { return (folder_ / "missing.txt").string(); }

 private:
  ScratchFolder folder_;
};

// The eleven camera records of a "k:" section (without the marker).
inline std::string cameraRecords() {
  std::string text;
  for (int k = 0; k <= 10; ++k) text += std::to_string(k) + ":" + std::to_string(100 * k) + ",-300,200;\n";
  return text;
}

// The small course that loads: a ball record, eleven cameras and one floor
// triangle.
inline std::string exampleCourse() {
  return "b:100,200,50;\n"
         "k:\n" +
         cameraRecords() +
         "p:\n"
         "0:0,0,0;\n"
         "1:1000,0,0;\n"
         "2:500,400,0;\n"
         "l:\n"
         "0:0,1;\n"
         "1:1,2;\n"
         "2:2,0;\n"
         "f:\n"
         "0:0,1,2,0;\n";
}

// Replaces the first occurrence of `from` (which must be there).
inline std::string replaced(std::string text, const std::string &from, const std::string &to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Test fixture: every test gets its own directory and an empty Scene after it.
class SceneFileTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetScene(); }
  std::string write(const std::string &text) { return dir_.write(text); }
  void load(const std::string &text) { LoadScene(write(text).c_str()); }

  CourseDirectory dir_;
};
