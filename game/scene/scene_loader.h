// Reading the scene description file into the process-wide Scene.
#pragma once

// Reads the course from `fileName` ("inp1.txt" at start-up). On success the
// Scene is complete; on any error the program has ended through FatalMessage
// or FatalMessageWithCaption.
void LoadScene(const char *fileName);

// Empties the process-wide Scene so that tests can load several courses in
// one process. The game itself loads exactly once.
void ResetScene();
