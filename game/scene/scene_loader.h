// Reading the scene description file into the process-wide Scene.
#pragma once

#include <string>

// Reads the course from `fileName` ("inp1.txt" at start-up). On success the
// Scene is complete; on any error the program has ended through FatalMessage
// or FatalMessageWithCaption.
void LoadScene(const char *fileName);

// Empties the process-wide Scene so that tests can load several courses in
// one process. The game itself loads exactly once.
void ResetScene();

// What ended a load that LoadSceneOrReturn gave back.
struct SceneLoadFailure {
  std::string caption;  // the fixed title or the offending normalised line
  std::string text;
};

// Reads the course like LoadScene, but a fault in the file comes back as
// false with its caption and text instead of ending the program; no message
// box is shown (the one line on standard error still is). The file is
// closed and the Scene emptied again, so a failed load keeps nothing.
// `failure` may be null.
bool LoadSceneOrReturn(const char *fileName, SceneLoadFailure *failure);
