// Regression runs: scripted games on a fixed clock whose screenshots and
// traces must stay byte for byte what they were. The expected FNV-1a hashes
// live in golden/<run>.hashes; tools/kelvaro-headless/refresh-goldens.sh
// rewrites them after an intended change.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "headless_child.h"

namespace {

using namespace headless_test;

struct GoldenRun {
  const char *name;
  const char *size;
  const char *keys;  // in the golden folder
  long frames;
  std::vector<long> shots;
};

// lives: the menu, the first playing frame, the ball on the floor at a
// bounce, the frame that loses the first life and the one after it, the frame
// that loses the last life and the menu after it. charge: a charged high
// bounce while moving along the course.
const GoldenRun goldenRuns[] = {
    {"lives_640", "640x480", "lives.keys", 300, {0, 1, 20, 68, 69, 278, 279}},
    {"lives_320", "320x240", "lives.keys", 300, {0, 1, 20, 68, 69, 278, 279}},
    {"charge_640", "640x480", "charge.keys", 120, {40, 88, 119}},
    {"charge_320", "320x240", "charge.keys", 120, {40, 88, 119}},
};

void PrintTo(const GoldenRun &run, std::ostream *os) {
  *os << run.name;
}

uint64_t fnv1a(const std::string &bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string hex(uint64_t v) {
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, v);
  return text;
}

std::string goldenDir() {
  return sourceDir() + "/tests/tools/golden";
}

// "ARTIFACT HASH" lines; '#' lines are comments.
std::map<std::string, std::string> readHashes(const std::string &path) {
  std::map<std::string, std::string> hashes;
  for (const std::string &line : lines(readFile(path))) {
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    if (space != std::string::npos) hashes[line.substr(0, space)] = line.substr(space + 1);
  }
  return hashes;
}

class HeadlessGolden : public ::testing::TestWithParam<GoldenRun> {};

TEST_P(HeadlessGolden, ShotsAndTraceMatchTheRecordedHashes) {
  const GoldenRun &run = GetParam();
  ASSERT_TRUE(fileExists(program())) << "missing " << program();
  ASSERT_TRUE(fileExists(dataDir() + "/inp1.txt")) << "missing game data in " << dataDir();
  const std::string scratch = scratchDir();
  ASSERT_FALSE(scratch.empty());

  std::vector<std::string> args = {"--size",       run.size,
                                   "--keys",       goldenDir() + "/" + run.keys,
                                   "--clock-step", "10",
                                   "--frames",     std::to_string(run.frames),
                                   "--trace",      scratch + "/trace.txt"};
  std::vector<std::string> artifacts = {"trace.txt"};
  for (long pass : run.shots) {
    const std::string name = "shot-" + std::to_string(pass) + ".bmp";
    args.push_back("--shot");
    args.push_back(std::to_string(pass) + ":" + scratch + "/" + name);
    artifacts.push_back(name);
  }
  const ChildResult r = runHeadless(args, dataDir(), scratch);
  ASSERT_EQ(r.status, 0) << r.err;

  std::map<std::string, std::string> actual;
  for (const std::string &name : artifacts) {
    ASSERT_TRUE(fileExists(scratch + "/" + name)) << name;
    actual[name] = hex(fnv1a(readFile(scratch + "/" + name)));
  }

  const std::string hashFile = goldenDir() + "/" + run.name + ".hashes";
  if (!envOr("KELVARO_REFRESH_GOLDENS", "").empty()) {
    std::string text = "# FNV-1a 64 of the outputs of the regression run " + std::string(run.name) +
                       "; rewritten by tools/kelvaro-headless/refresh-goldens.sh\n";
    for (const auto &[name, hash] : actual) text += name + " " + hash + "\n";
    writeFile(hashFile, text);
    std::printf("wrote %s; the new outputs are in %s\n", hashFile.c_str(), scratch.c_str());
    return;
  }

  const std::map<std::string, std::string> expected = readHashes(hashFile);
  ASSERT_FALSE(expected.empty()) << "no golden hashes in " << hashFile;
  for (const auto &[name, hash] : actual) {
    const auto it = expected.find(name);
    ASSERT_NE(it, expected.end()) << name << " has no golden hash in " << hashFile;
    EXPECT_EQ(hash, it->second) << name << " differs; the outputs are kept in " << scratch;
  }
  EXPECT_EQ(expected.size(), actual.size()) << hashFile << " lists outputs this run does not make";
  if (!HasFailure()) std::filesystem::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Runs, HeadlessGolden, ::testing::ValuesIn(goldenRuns),
                         [](const ::testing::TestParamInfo<GoldenRun> &info) { return info.param.name; });

}  // namespace
