// The ranking and how-to screens: a picture until Enter or the joystick button.
#include "frontend/info_scenes.h"

#include <algorithm>

#include "content/game_params.h"
#include "content/manifest.h"
#include "frontend/save_file.h"
#include "game/digits.h"
#include "library/draw/el_draw.h"
#include "library/input/input.h"
#include "library/sound/el_sound.h"
#include "scene/scene_state.h"

namespace {

struct InfoPictures {
  int ranking = 0;
  int font = 0;
  int howto = 0;
};
InfoPictures pictures;

bool Confirmed() { return g_state.select == 1 || JoyButton(0, 1) == 1; }

void BackToTitle() {
  g_state.select = 0;
  g_sound.PlayObject(g_sound_role.ok, -1);
  LeaveFor(SCENE_TITLE);
}

void DrawScore(int row, int score) {
  int digits[8];
  SplitDigits(std::clamp(score, 0, 99999999), digits, 8);
  for (int c = 0; c < 8; ++c)
    g_draw.DrawObject(314 + 15 * c, 169 + 33 * row, pictures.font, 14 * digits[c] + 1, 20,
                      14 * digits[c] + 14, 46);
}

void EndFrame() {
  if (g_state.fps_display == 1) g_draw.DrawFps();
  g_draw.Present();
}

}  // namespace

void SceneRanking() {
  if (g_state.scene_entry == 1) {
    pictures.ranking = g_draw.LoadObject(manifest::kRankingPicture, elDraw::kOrdinary);
    pictures.font = g_draw.LoadObject(manifest::kRankingFont, elDraw::kOrdinary);
  }
  g_draw.DrawObjectOpaque(0, 0, pictures.ranking, 0, 0, 639, 479);
  for (int r = 0; r < 5; ++r) DrawScore(r, g_ranking[static_cast<size_t>(r)]);
  EndFrame();
  if (Confirmed()) {
    BackToTitle();
    g_draw.ReleaseObject(pictures.ranking);
    g_draw.ReleaseObject(pictures.font);
  }
}

void SceneHowto() {
  if (g_state.scene_entry == 1)
    pictures.howto = g_draw.LoadObject(manifest::kHowToPicture, elDraw::kOrdinary);
  g_draw.DrawObjectOpaque(0, 0, pictures.howto, 0, 0, 639, 479);
  EndFrame();
  if (Confirmed()) {
    BackToTitle();
    g_draw.ReleaseObject(pictures.howto);
  }
}
