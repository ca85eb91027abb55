#include "content/scene_player.h"

int PlaySceneScript(const std::string&) { return 0; }
void AbandonSceneScript() {}
