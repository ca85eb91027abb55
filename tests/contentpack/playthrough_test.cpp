// The default pack can be won: a simple scripted player clears every stage.
// And it can be lost: standing still ends the game.
#include <algorithm>
#include <cmath>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "game/game_state.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"

namespace {

using namespace platform;

// Turns toward the nearest enemy and fires: it lines up on the axis across
// the shot with gentle thrust, then faces along the other axis.
class Aimer {
 public:
  explicit Aimer(HeadlessPlatform& hp) : hp_(hp) {}

  void Frame() {
    const Character& p = g_chars[0];
    const Character* e = Nearest(p);
    if (e == nullptr) {
      Hold(Settle(p.vx, 0.0f, VK_LEFT, VK_RIGHT));
      Hold(Settle(p.vy, 0.0f, VK_UP, VK_DOWN));
      return;
    }
    const float dx = (e->x + e->size_x / 2.0f) - (p.x + p.size_x / 2.0f);
    const float dy = (e->y + e->size_y / 2.0f) - (p.y + p.size_y / 2.0f);
    const bool vertical = std::fabs(dy) > std::fabs(dx);
    const float across = vertical ? dx : dy;
    const float along = vertical ? dy : dx;
    const float v_across = vertical ? p.vx : p.vy;
    const float v_along = vertical ? p.vy : p.vx;
    const int less_across = vertical ? VK_LEFT : VK_UP, more_across = vertical ? VK_RIGHT : VK_DOWN;
    const int less_along = vertical ? VK_UP : VK_LEFT, more_along = vertical ? VK_DOWN : VK_RIGHT;
    if (std::fabs(across) > 8.0f) {
      // Keep a distance along the line of fire while lining up across it.
      const float keep = std::fabs(along) < 140.0f ? (along > 0 ? -60.0f : 60.0f) : 0.0f;
      const int across_key = Settle(v_across, std::clamp(across * 2.5f, -160.0f, 160.0f), less_across, more_across);
      const int along_key = Settle(v_along, keep, less_along, more_along);
      // Pushing left or right decides the facing; only push along when lined up horizontally.
      Hold(across_key);
      if (!vertical || across_key == 0) Hold(along_key);
      return;
    }
    Hold(along > 0 ? more_along : less_along);
    Hold(VK_SPACE);
  }

 private:
  static const Character* Nearest(const Character& p) {
    const auto distance = [&](const Character* c) { return std::hypot(c->x - p.x, c->y - p.y); };
    const Character* best = nullptr;
    for (int i = 1; i < g_stage.ENEMY_NUMBER && i < MAX_CHARACTERS; ++i) {
      const Character* c = &g_chars[static_cast<size_t>(i)];
      if (c->state == STATE_ACTIVE && (best == nullptr || distance(c) < distance(best))) best = c;
    }
    return best;
  }
  // The key that brings a velocity toward the wanted one, or 0 when it is close.
  static int Settle(float v, float want, int less, int more) {
    return v < want - 15.0f ? more : v > want + 15.0f ? less : 0;
  }
  void Hold(int vk) {
    if (vk != 0) hp_.HoldKey(hp_.now, vk, 1);
  }

  HeadlessPlatform& hp_;
};

class PlaythroughTest : public ScenarioTest {
 protected:
  // Plays one stage from the title; returns the scene that followed the game.
  int PlayStage(int stage, bool aim) {
    Aimer aimer(hp);
    int after = 0;
    bool started = false;
    Run(
        [&] {
          switch (g_state.scene) {
            case SCENE_TITLE:
              if (g_state.scene_entry != 1) break;
              if (started) {
                Press(VK_UP);
                hp.PressKey(hp.now + 200, VK_RETURN);
              } else {
                g_param.INIT_STAGE = stage;
                Press(VK_RETURN);
              }
              break;
            case SCENE_GAME:
              started = true;
              if (aim && g_state.play_running == 1) aimer.Frame();
              break;
            default:
              if (started && after == 0) {
                after = g_state.scene;
                Press(VK_ESCAPE);  // back to the title; the question answers yes
              } else if (!started) {
                PressEvery(VK_RETURN, 250);
              }
              break;
          }
        },
        15u * 60u * 1000u);
    EXPECT_LE(hp.boxes.size(), 1u);  // the question on the way back to the title
    return after;
  }
};

// The sixth stage is the last: clearing it, and only it, leads to the ending.
TEST_F(PlaythroughTest, EveryStageCanBeCleared) {
  for (int stage = 1; stage <= 6; ++stage) {
    if (stage > 1) Restart();
    const int after = PlayStage(stage, true);
    EXPECT_EQ(after, stage == 6 ? SCENE_ENDING : SCENE_STAGE_INTRO)
        << "stage " << stage << " ended in scene " << after << " with score " << g_game.score;
  }
}

TEST_F(PlaythroughTest, StandingStillLoses) {
  EXPECT_EQ(PlayStage(1, false), SCENE_GAME_OVER);
}

}  // namespace
