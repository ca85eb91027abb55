#include "frontend/boot_scene.h"

#include "content/game_dat.h"
#include "content/manifest.h"
#include "frontend/stage_jump.h"
#include "library/ui/message_box.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

void SceneBoot() {
  const GameDat dat = ReadGameDatFile(manifest::kGameDat);
  ApplyGameDat(dat);
  if (!dat.errors.empty()) {
    PrintErrors(dat.errors);
    NoteBoxEnglish(kGameDatRefusedEnglish);
    ShowMessage("game.datが読み込めませんでした。");
    g_state.exit_code = 1;
    QuitGame();
  }
  g_state.game_in_progress = 0;
  if (!dat.errors.empty() || !StartStageJump()) LeaveFor(SCENE_OPENING);
}
