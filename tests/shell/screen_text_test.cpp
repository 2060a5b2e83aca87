// The choice's texts in the game's ASCII font: German letters written out,
// other characters never splitting into stray bytes, lines fitted to a width.
#include <gtest/gtest.h>

#include "game/shell/choice/screen_text.h"

TEST(ScreenText, GermanLettersAreWrittenOutAndOtherCharactersBecomeOneMark) {
  EXPECT_EQ(asciiForScreen("Kurs wählen – Sprünge über Größe"), "Kurs waehlen - Spruenge ueber Groesse");
  EXPECT_EQ(asciiForScreen("Ä Ö Ü ß „x“"), "Ae Oe Ue ss \"x\"");
  EXPECT_EQ(asciiForScreen("a\xE2\x82\xAC"
                           "b\tc"),
            "a?b c");                      // the euro sign, a tab
  EXPECT_EQ(asciiForScreen("\xC3"), "?");  // cut inside a character
}
