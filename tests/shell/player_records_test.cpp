// The player's records: what is kept after a win, what a better run
// replaces, the medals at the par boundaries, and every way the records file
// or its folder can be hostile, each ending in one message and an intact
// earlier file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/portable.h"
#include "game/shell/course_catalogue.h"
#include "game/shell/records/atomic_file.h"
#include "game/shell/records/par_table.h"
#include "game/shell/records/record_store.h"
#include "game/shell/records/settings_store.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> said;
void collect(const std::string &text) {
  said.push_back(text);
}

std::string slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path &p, const std::string &text) {
  std::ofstream(p, std::ios::binary) << text;
}

class PlayerRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    said.clear();
    folder = portable::makeTempFolder("kelvaro-records-");
  }
  void TearDown() override {
    simulateDiskSpace(-1);
    fs::remove_all(folder);
  }
  RecordStore openStore() {
    RecordStore store;
    store.open(folder.string(), collect);
    return store;
  }
  fs::path folder;
};

const std::string earlier = "kelvaro-records 1\nauftakt 1000 2\nend\n";

}  // namespace

TEST_F(PlayerRecords, FirstWinIsKeptAndOnlyABetterRunReplacesIt) {
  RecordStore store = openStore();
  EXPECT_EQ(store.best("auftakt"), nullptr);
  EXPECT_TRUE(store.offer("auftakt", {1000, 2}, "# run one\n"));
  EXPECT_EQ(slurp(folder / "records.txt"), earlier);
  EXPECT_EQ(slurp(folder / "auftakt.replay"), "# run one\n");

  // Slower, or as fast with more lives lost: kept as it was.
  EXPECT_FALSE(store.offer("auftakt", {1001, 0}, "# run two\n"));
  EXPECT_FALSE(store.offer("auftakt", {1000, 3}, "# run three\n"));
  // As fast with fewer lives lost, then faster: each replaces it.
  EXPECT_TRUE(store.offer("auftakt", {1000, 1}, "# run four\n"));
  EXPECT_TRUE(store.offer("auftakt", {990, 4}, "# run five\n"));
  EXPECT_EQ(slurp(folder / "auftakt.replay"), "# run five\n");

  // A new start finds it again, and no file is left half written.
  RecordStore again = openStore();
  ASSERT_NE(again.best("auftakt"), nullptr);
  EXPECT_EQ(again.best("auftakt")->passes, 990);
  EXPECT_EQ(again.best("auftakt")->livesLost, 4);
  EXPECT_EQ(again.replayFile("auftakt"), (folder / "auftakt.replay").string());
  EXPECT_FALSE(fs::exists(folder / "records.txt.new"));
  EXPECT_TRUE(said.empty());
}

TEST_F(PlayerRecords, DamagedFilesAreSetAsideWithOneMessage) {
  const std::vector<std::string> damaged = {
      "kelvaro-records 1\nauftakt 1000 2\n",                 // cut off before its end
      "kelvaro-records 1\nauftakt 10",                       // cut off inside a line
      "",                                                    // empty
      std::string("\x89PNG\r\n\x1a\n\0\0", 10),              // another program's file
      "kelvaro-records 1\n../x 10 0\nend\n",                 // a name that is no course
      "kelvaro-records 1\nauftakt -5 0\nend\n",              // a negative count
      "kelvaro-records 1\nauftakt 5 0\nauftakt 6 0\nend\n",  // twice
      "kelvaro-records 1\nend\ntrailing\n",                  // more after the end
      "kelvaro-records zero\nend\n",                         // no version
  };
  for (const std::string &text : damaged) {
    SCOPED_TRACE(text);
    said.clear();
    fs::remove_all(folder);
    fs::create_directories(folder);
    put(folder / "records.txt", text);
    RecordStore store = openStore();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("records.txt.damaged"), std::string::npos) << said[0];
    EXPECT_EQ(slurp(folder / "records.txt.damaged"), text);
    EXPECT_EQ(store.best("auftakt"), nullptr);
    // Play goes on with an empty record that is kept from now on.
    EXPECT_TRUE(store.offer("auftakt", {700, 0}, ""));
    EXPECT_EQ(slurp(folder / "records.txt"), "kelvaro-records 1\nauftakt 700 0\nend\n");
  }
}

TEST_F(PlayerRecords, ANewerVersionsFileIsNeitherReadNorOverwritten) {
  const std::string newer = "kelvaro-records 2\nauftakt 5 0 extra fields\nend\n";
  put(folder / "records.txt", newer);
  RecordStore store = openStore();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("neueren Version"), std::string::npos);
  EXPECT_EQ(store.best("auftakt"), nullptr);
  EXPECT_TRUE(store.offer("auftakt", {900, 0}, "# run\n"));
  EXPECT_EQ(slurp(folder / "records.txt"), newer);
  EXPECT_FALSE(fs::exists(folder / "auftakt.replay"));
  EXPECT_EQ(said.size(), 1u);
}

TEST_F(PlayerRecords, AFullDiskOrAnUnwritableFolderKeepsTheEarlierFile) {
  put(folder / "records.txt", earlier);
  {
    RecordStore store = openStore();
    simulateDiskSpace(10);
    EXPECT_TRUE(store.offer("auftakt", {800, 0}, "# a better run\n"));
    simulateDiskSpace(-1);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("nicht gespeichert"), std::string::npos);
    EXPECT_EQ(slurp(folder / "records.txt"), earlier);
    EXPECT_FALSE(fs::exists(folder / "records.txt.new"));
    EXPECT_FALSE(fs::exists(folder / "auftakt.replay.new"));
  }
  // A folder that cannot hold files (here: a file in its place, which stops
  // even a superuser) says so at the first win and plays on.
  said.clear();
  const fs::path blocked = folder / "blocked";
  put(blocked, "not a folder");
  RecordStore store;
  store.open(blocked.string(), collect);
  EXPECT_TRUE(store.offer("auftakt", {800, 0}, "# run\n"));
  EXPECT_EQ(said.size(), 1u);
  EXPECT_EQ(slurp(blocked), "not a folder");

  // No folder at all: one message at the start, no file anywhere.
  said.clear();
  RecordStore none;
  none.open("", collect);
  EXPECT_TRUE(none.offer("auftakt", {800, 0}, "# run\n"));
  EXPECT_EQ(said.size(), 1u);
  EXPECT_EQ(none.replayFile("auftakt"), "");
}

TEST(CoursePar, MedalsChangeExactlyAtEachParResult) {
  const CoursePar par{1020, 1500, 2460};
  EXPECT_EQ(medalFor(1, par), Medal::Gold);
  EXPECT_EQ(medalFor(1020, par), Medal::Gold);
  EXPECT_EQ(medalFor(1021, par), Medal::Silver);
  EXPECT_EQ(medalFor(1500, par), Medal::Silver);
  EXPECT_EQ(medalFor(1501, par), Medal::Bronze);
  EXPECT_EQ(medalFor(2460, par), Medal::Bronze);
  EXPECT_EQ(medalFor(2461, par), Medal::None);
  EXPECT_EQ(medalFor(5, CoursePar{}), Medal::None);
}

TEST(CoursePar, TheCatalogueGivesEveryCourseItsParAndItsReaderSkipsThem) {
  const std::string file = std::string(KELVARO_TEST_SOURCE_DIR) + "/assets/courses/courses.txt";
  const ParTable table = parseParLines(slurp(file));
  const std::vector<CourseEntry> catalogue = readCourseCatalogue(file);
  ASSERT_EQ(catalogue.size(), 6u);
  ASSERT_EQ(table.size(), 6u);
  for (const CourseEntry &e : catalogue) {
    ASSERT_TRUE(table.count(e.name)) << e.name;
    EXPECT_LT(table.at(e.name).gold, table.at(e.name).silver);
    EXPECT_LT(table.at(e.name).silver, table.at(e.name).bronze);
  }
  EXPECT_EQ(table.at("marathon").gold, 3810);
  // Malformed lines give nothing rather than a wrong medal.
  EXPECT_TRUE(parseParLines("#par x 3 2 1\n#par y 0 1 2\n#par z 1 2\n#par ../a 1 2 3\n").empty());
}

TEST_F(PlayerRecords, SettingsKeepTheSoundChoiceAndUnknownKeys) {
  put(folder / "settings.txt", "future.key=some value\r\n");
  SettingsStore settings;
  settings.open(folder.string());
  EXPECT_FALSE(settings.soundMuted());
  EXPECT_TRUE(settings.setSoundMuted(true));
  SettingsStore again;
  again.open(folder.string());
  EXPECT_TRUE(again.soundMuted());
  EXPECT_EQ(again.value("future.key"), "some value");
  EXPECT_FALSE(again.setValue("bad\nkey", "x"));
}
