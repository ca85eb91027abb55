// Plays a scene script: still pictures with waits, fades and music.
#pragma once

#include <string>

// Call once per frame with the same path; 1 while the script runs, 0 on the frame it ends.
// overlay, when given, draws over each frame's picture before it is presented.
int PlaySceneScript(const std::string& path, void (*overlay)() = nullptr);
// Releases the pictures of a script that was left in the middle.
void AbandonSceneScript();
// Back to the state at program start, scene table included (tests).
void ResetScenePlayer();
