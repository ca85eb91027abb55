#include "shell/program_reset.h"

#include "content/game_params.h"
#include "content/scene_player.h"
#include "content/stage_data.h"
#include "frontend/save_file.h"
#include "frontend/script_scenes.h"
#include "frontend/stage_card.h"
#include "frontend/stage_jump.h"
#include "frontend/title_scene.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "library/system/failure.h"
#include "library/ui/message_box.h"
#include "library/ui/report.h"
#include "scene/scene_state.h"
#include "shell/folders.h"
#include "shell/main_loop.h"
#include "shell/window_proc.h"

void ResetProgramState() {
  ResetSystem();
  ResetDraw();
  ResetSound();
  ResetMusicState();
  ResetSceneState();
  ResetGameParams();
  ResetStageData();
  ResetScenePlayer();
  ResetGameState();
  ResetTitleState();
  ResetScriptScenes();
  ResetStageCard();
  ResetStageJump();
  ResetRanking();
  g_window = WindowState();
  ResetFolders();
  // While a box is open the window procedure still gets what the box does not answer.
  SetBoxMessageSink(WindowProc);
  // What the library fails at is shown as the error box.
  SetFailureSink(ShowReport);
  NoteFailureDetail("");
  NoteBoxEnglish("");
}
