// The browser page's list of the game's data: JSON strings that survive any
// catalogue line, only the catalogue's courses whose folder the build made,
// in the catalogue's order, and the build's own list true to its data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "page_manifest.h"

TEST(PageManifest, StringsAreJsonWhateverTheCatalogueHolds) {
  EXPECT_EQ(jsonString("Sprünge: \"Enter\" halten"), "\"Sprünge: \\\"Enter\\\" halten\"");
  EXPECT_EQ(jsonString("a\\b\tc\x01"), "\"a\\\\b\\u0009c\\u0001\"");
  // A Latin-1 catalogue reads as the page shows it.
  EXPECT_EQ(jsonString("Spr\xfcnge \xe4"), "\"Sprünge ä\"");
  // A lone lead byte or a cut sequence is no UTF-8 either.
  EXPECT_EQ(jsonString("\xc3"), "\"Ã\"");
  EXPECT_EQ(jsonString("\xe2\x82"), "\"â\u0082\"");
}

TEST(PageManifest, ListsTheCataloguesCoursesThatHaveAFolder) {
  PageManifest m;
  m.catalogue = {{"welle", "Wellen"}, {"leer", "ohne Ordner"}, {"klassik", ""}, {"halb", "ohne Kurs"}};
  m.courses = {{"klassik", {"inp1.txt"}}, {"welle", {"inp1.txt", "bkgr1.bmp"}}, {"halb", {"bkgr1.bmp"}},
               {"fremd", {"inp1.txt"}}};
  m.pictures = {"bkgr1.bmp", "leben.bmp"};
  m.font = "little.fnt";
  EXPECT_EQ(formatPageManifest(m),
            "{\n  \"courses\": [\n"
            "    {\"name\": \"welle\", \"description\": \"Wellen\", \"files\": [\"inp1.txt\", \"bkgr1.bmp\"]},\n"
            "    {\"name\": \"klassik\", \"description\": \"\", \"files\": [\"inp1.txt\"]}\n  ],\n"
            "  \"pictures\": [\"bkgr1.bmp\", \"leben.bmp\"],\n  \"font\": \"little.fnt\"\n}\n");
  m.courses.clear();
  EXPECT_NE(formatPageManifest(m).find("\"courses\": [],"), std::string::npos);
}

// The build's own list: every course of the catalogue with its folder's
// files, and every picture and the font, are there in the data folder; so
// the page fetches nothing missing and misses nothing the pack has.
TEST(PageManifest, TheBuildsListNamesTheFilesOfTheDataFolder) {
  namespace fs = std::filesystem;
  const fs::path data = fs::path(KELVARO_TEST_BINARY_DIR) / "data";
  std::ifstream in(data / "page.json", std::ios::binary);
  ASSERT_TRUE(in) << "no page.json in " << data;
  const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<CourseEntry> catalogue = readCourseCatalogue((data / "courses/courses.txt").string());
  ASSERT_FALSE(catalogue.empty());
  const std::regex course(R"re(\{"name": "([^"]+)", "description": "[^"]*", "files": \[([^\]]*)\]\})re");
  const std::regex quoted(R"re("([^"]+)")re");
  size_t listed = 0;
  for (std::sregex_iterator c(json.begin(), json.end(), course), end; c != end; ++c, ++listed) {
    ASSERT_LT(listed, catalogue.size());
    EXPECT_EQ((*c)[1], catalogue[listed].name);
    const std::string files = (*c)[2];
    for (std::sregex_iterator f(files.begin(), files.end(), quoted); f != end; ++f) {
      EXPECT_TRUE(fs::is_regular_file(data / "courses" / (*c)[1].str() / (*f)[1].str())) << (*f)[1];
    }
  }
  EXPECT_EQ(listed, catalogue.size());
  const std::string rest = json.substr(json.find("\"pictures\""));
  size_t named = 0;
  for (std::sregex_iterator f(rest.begin(), rest.end(), quoted), end; f != end; ++f) {
    if ((*f)[1] == "pictures" || (*f)[1] == "font") continue;
    EXPECT_TRUE(fs::is_regular_file(data / (*f)[1].str())) << (*f)[1];
    ++named;
  }
  EXPECT_EQ(named, 11u);  // eight pictures of a size, the other size's two menu pictures, the font
}
