// When the program opens on the course choice: "-choose" on the command line
// (the desktop entries and the page without a course use it) and no
// "-course" or "-courses". Without it the program starts on the course of
// the current folder, as it always did.
#pragma once

bool wantsCourseChoice(int argc, const char *const *argv);
