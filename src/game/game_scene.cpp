#include "game/game_scene.h"

#include "game/game_state.h"
#include "shell/shell_state.h"

GameState g_game;

void SceneGame() {}
void NewGameSetup() { g_shell.game_in_progress = 1; }
void StageCleanup() {
  if (g_shell.game_in_progress == 0) return;
  g_shell.play_running = 0;
}
