// The browser page's list of the game's data: JSON strings that survive any
// catalogue line, and only the catalogue's courses whose folder the build
// made, in the catalogue's order.
#include <gtest/gtest.h>

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
