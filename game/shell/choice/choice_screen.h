// Drawing the course choice into the frame: a title, one row per course
// (its picture, name, line from the catalogue, best result and medal, par),
// the keys and the latest message.
#pragma once

#include <string>
#include <vector>

#include "game/shell/choice/choice_entry.h"
#include "game/shell/records/course_records.h"

struct ChoiceView {
  const std::vector<ChoiceEntry> *entries;
  int selected;
  // The best result of entries[i], null when it has not been won.
  std::vector<const CourseResult *> best;
  std::string message;  // "" : none
};

// The size of the pictures the screen of this width shows.
int choicePictureWidth(int screenWidth);
int choicePictureHeight(int screenWidth);

// Draws into the game's drawing target and shows the frame.
void drawChoiceScreen(const ChoiceView &view);

// "Bestleistung: 1020 Durchgänge (17,0 s), 1 Leben verloren – Gold", in
// UTF-8 as standard error shows it; "" for none.
std::string describeBest(const CourseResult &best, const CoursePar &par);
