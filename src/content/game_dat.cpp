#include "content/game_dat.h"

#include "content/game_params.h"
#include "content/shot_shadow.h"
#include "content/sound_block.h"
#include "content/tagged_text.h"
#include "library/draw/el_draw.h"
#include "library/system/text_values.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;

struct Reader {
  explicit Reader(const std::string& path) : text(path) {}
  TaggedText text;
  bool sound_block = false;
};

// false: the file is refused.
using Apply = bool (*)(Reader&);

template <int GameParams::*field>
bool SetParam(Reader& r) {
  g_param.*field = ToInt(r.text.Value());
  return true;
}

template <int GameParams::*field, int mode>
bool LoadPicture(Reader& r) {
  g_param.*field = g_draw.LoadObject(std::string(r.text.Value()), mode);
  return true;
}

bool OpenSoundBlock(Reader& r) {
  r.sound_block = true;
  return true;
}

bool SetShotShadow(Reader& r) { return ReadShotShadow(r.text); }

struct Directive {
  const char* key;
  Apply apply;
};

constexpr Directive kDirectives[] = {
    {"MAX_STAGE:", SetParam<&GameParams::MAX_STAGE>},
    {"PLAYER_STOCK:", SetParam<&GameParams::PLAYER_STOCK>},
    {"SHOT_DAMAGE:", SetParam<&GameParams::SHOT_DAMAGE>},
    {"SHOT_SPEED:", SetParam<&GameParams::SHOT_SPEED>},
    {"SHOT_REACTION:", SetParam<&GameParams::SHOT_REACTION>},
    {"SHOT_SHADOW:", SetShotShadow},
    {"SOUND:", OpenSoundBlock},
    {"SHOT_IMG:", LoadPicture<&GameParams::SHOT_IMG, kSystemMemory>},
    {"SHOT_SIZE_X:", SetParam<&GameParams::SHOT_SIZE_X>},
    {"SHOT_SIZE_Y:", SetParam<&GameParams::SHOT_SIZE_Y>},
    {"SHOT_SCORE:", SetParam<&GameParams::SHOT_SCORE>},
    {"SHOT_INTERVAL:", SetParam<&GameParams::SHOT_INTERVAL>},
    {"SHOT_TIMER:", SetParam<&GameParams::SHOT_TIMER>},
    {"INIT_STAGE:", SetParam<&GameParams::INIT_STAGE>},
    {"RIVIVAL_TIME:", SetParam<&GameParams::RIVIVAL_TIME>},
    {"SPECIAL_TIME:", SetParam<&GameParams::SPECIAL_TIME>},
    {"CLEAR_BONUS:", SetParam<&GameParams::CLEAR_BONUS>},
    {"TIME_BONUS:", SetParam<&GameParams::TIME_BONUS>},
    {"STOCK_IMG:", LoadPicture<&GameParams::STOCK_IMG, kOrdinary>},
    {"BLINK_TIME:", SetParam<&GameParams::BLINK_TIME>},
};

bool ApplyDirective(Reader& r) {
  for (const Directive& d : kDirectives) {
    if (!r.text.Directive(d.key)) continue;
    r.sound_block = false;
    return d.apply(r);
  }
  return true;
}

// false: the file is refused.
bool ReadLines(Reader& r) {
  while (r.text.Next()) {
    if (r.sound_block) ReadSoundLine(r.text);
    if (r.text.IsDirective() && !ApplyDirective(r)) return false;
  }
  return true;
}

}  // namespace

void ReadGameParams(const std::string& path) {
  Reader r(path);
  if (!r.text.IsOpen()) r.text.Complain("cannot open the file");
  if (!r.text.IsOpen() || !ReadLines(r)) {
    ShowMessage("game.datが読み込めませんでした。");
    g_state.exit_code = 1;
    QuitGame();
  }
  g_state.game_in_progress = 0;
}
