#include "frontend/stage_jump.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "content/game_dat.h"
#include "content/manifest.h"
#include "content/scene_player.h"
#include "content/stage_file.h"
#include "game/game_scene.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "library/system/file_lookup.h"
#include "library/ui/message_box.h"
#include "platform/file_bytes.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

namespace {

int g_jump_stage = -1;  // the stage of an author's run; -1: a player's run

std::string StageName(int stage) { return manifest::StageFile(stage); }

// A parameter as game.dat leaves it, up to its first refused line.
int Param(const GameDat& dat, int GameParams::*field) {
  int value = GameParams().*field;
  for (const GameDat::Line& l : dat.lines)
    if (const auto* v = std::get_if<ParamValue>(&l.effect))
      if (v->field == field && dat.BeforeRefusal(l.line)) value = v->value;
  return value;
}

// Why the stage file cannot be played from fresh tables, as the game scene would refuse it.
std::optional<ContentError> StageRefusal(const StageFile& file) {
  if (!file.errors.empty()) return file.errors.front();
  std::array<int, MAX_CHARACTERS> turns{};
  return CheckTurns(file, turns);
}

void Refuse(const ContentError& error, const char* english, const char* message) {
  PrintErrors({error});
  NoteBoxEnglish(english);
  ShowMessage("%s", message);
}

void ReleasePicture(int handle) {
  if (handle >= 2) g_draw.ReleaseObject(handle);  // 0 and 1 are the work surfaces
}

// Everything the last stage and game.dat loaded goes; the tables start afresh.
void ForgetPack() {
  AbandonStage();
  AbandonSceneScript();
  StopMusic();
  ReleasePicture(g_param.SHOT_IMG);
  ReleasePicture(g_param.STOCK_IMG);
  for (int i = 0; i < elSound::kObjects; ++i) g_sound.ReleaseObject(i);
  ResetGameParams();
  ResetStageData();
  g_system.ResetWaits();
  g_state.select = g_state.up = g_state.down = 0;
}

void StartAt(int stage) {
  NewGameSetup();
  g_game.stage = stage;
  LeaveFor(SCENE_STAGE_INTRO);
}

}  // namespace

std::string StageJumpRefusal(const std::string& game_folder, int stage) {
  const GameDat dat = ReadPath(FindFile(game_folder, manifest::kGameDat), ReadGameDat);
  if (!dat.errors.empty()) return dat.errors.front().Text();
  const int first = Param(dat, &GameParams::INIT_STAGE);
  const int last = std::max(first, Param(dat, &GameParams::MAX_STAGE) - 1);
  if (stage < first || stage > last)
    return "this game's stages are " + std::to_string(first) + " to " + std::to_string(last) +
           " (INIT_STAGE and MAX_STAGE of " + dat.file + "); name one of them";
  const std::string file = FindFile(game_folder, StageName(stage));
  std::string why;
  if (!platform::IsRegularFile(file, &why))
    return file + ": " + why + "; add the stage file or name another stage";
  return "";
}

void JumpToStage(int stage) { g_jump_stage = stage; }

bool StartStageJump() {
  if (g_jump_stage < 0) return false;
  StartAt(g_jump_stage);
  return true;
}

void ReloadStage() {
  if (g_jump_stage < 0 || (g_state.scene != SCENE_STAGE_INTRO && g_state.scene != SCENE_GAME))
    return;
  const GameDat dat = ReadGameDatFile(manifest::kGameDat);
  if (!dat.errors.empty())
    return Refuse(dat.errors.front(), kGameDatRefusedEnglish, "game.datが読み込めませんでした。");
  const int stage = g_game.stage;
  if (const std::optional<ContentError> refusal = StageRefusal(ReadStageFileAt(StageName(stage))))
    return Refuse(*refusal, kStageRefusedEnglish, "データが読み込めませんでした。");
  ForgetPack();
  ApplyGameDat(dat);
  StartAt(stage);
}

void ResetStageJump() { g_jump_stage = -1; }
