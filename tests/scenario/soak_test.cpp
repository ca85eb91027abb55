// Two hundred whole games back to back by a seeded random player: nothing
// may leak from one game into the next.
#include <malloc.h>

#include <random>
#include <set>
#include <string>

#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/system/el_system.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"

namespace {

using namespace platform;

struct Tables {
  std::multiset<std::string> pictures;
  int sounds = 0;
  bool operator==(const Tables&) const = default;
};

Tables Snapshot() {
  Tables t;
  for (int h = 2; h < elDraw::kObjects; ++h)
    if (!g_draw.Slot(h).name.empty()) t.pictures.insert(g_draw.Slot(h).name);
  t.sounds = g_sound.UsedCount();
  return t;
}

// No timer is left armed far ahead: each slot is disarmed or runs out soon.
bool WaitsSettled(uint32_t now) {
  for (int slot = 1; slot <= elSystem::kSlots; ++slot) {
    const uint32_t d = g_system.Deadline(slot);
    if (d != elSystem::kDisarmed && d > now && d - now > 10000) return false;
  }
  return true;
}

class SoakTest : public ScenarioTest {
 protected:
  void Steer() {
    if (hp.now < next_steer_) return;
    next_steer_ = hp.now + 150 + rng_() % 250;
    const int arrows[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
    for (int vk : arrows)
      if (rng_() % 3 == 0) hp.HoldKey(hp.now, vk, next_steer_ - hp.now);
    if (rng_() % 4 != 0) hp.HoldKey(hp.now, VK_SPACE, next_steer_ - hp.now);
  }

  void PlayGame() {
    if (g_state.scene_entry == 1 && game_end_ == 0) game_end_ = hp.now + 2000 + rng_() % 9000;
    if (g_state.play_running == 0) {
      // In the menu: resume now and then, otherwise leave for the title.
      if (hp.now >= next_key_) {
        next_key_ = hp.now + 200;
        if (game_end_ != 0 && hp.now < game_end_ && rng_() % 2 == 0) {
          Press(VK_RETURN);
        } else {
          Press(VK_UP);
          hp.PressKey(hp.now + 60, VK_RETURN);
        }
      }
      return;
    }
    Steer();
    if (hp.now >= game_end_ || rng_() % 2000 == 0) {
      if (hp.now >= next_key_) {
        Press(VK_ESCAPE);
        next_key_ = hp.now + 200;
      }
    } else if (rng_() % 600 == 0) {
      Press(VK_RETURN);  // a stray Enter stays pending for the banner or the menu
    }
  }

  void AtTitle() {
    if (g_state.scene_entry != 1) return;
    game_end_ = 0;
    if (in_game_) {
      in_game_ = false;
      ++games;
      EXPECT_EQ(Snapshot(), at_title_) << "after game " << games;
      EXPECT_TRUE(WaitsSettled(hp.now)) << "after game " << games;
      if (games == 20) heap_at_20 = mallinfo2().uordblks;
    }
    at_title_ = Snapshot();
    // What the headless platform records is the test's memory, not the game's.
    hp.play_log = {};
    hp.music_commands = {};
    if (games == kGames) {
      Press(VK_UP);
      hp.PressKey(hp.now + 200, VK_RETURN);
      return;
    }
    // Now and then a look at the how-to screen or the ranking first.
    const int entry = rng_() % 8 == 0 ? 1 + static_cast<int>(rng_() % 2) : 0;
    for (int i = 0; i < entry; ++i) hp.PressKey(hp.now + 200 * i, VK_DOWN);
    hp.PressKey(hp.now + 200 * entry + 100, VK_RETURN);
  }

  void Frame() {
    switch (g_state.scene) {
      case SCENE_TITLE: AtTitle(); break;
      case SCENE_GAME:
        in_game_ = true;
        PlayGame();
        break;
      default:
        if (g_state.scene_entry == 0) PressEvery(VK_RETURN, 250);
        break;
    }
  }

  static constexpr int kGames = 200;
  int games = 0;
  size_t heap_at_20 = 0;

 private:
  std::mt19937 rng_{20261206};
  Tables at_title_;
  bool in_game_ = false;
  uint32_t game_end_ = 0;
  uint32_t next_steer_ = 0;
  uint32_t next_key_ = 0;
};

TEST_F(SoakTest, TwoHundredGamesLeaveNothingBehind) {
  hp.frame_ms = 20;
  EXPECT_EQ(Run([this] { Frame(); }, 200u * 60u * 1000u), 0);
  EXPECT_EQ(games, kGames);
  EXPECT_EQ(g_state.shutdown_state, 2);
  EXPECT_FALSE(hp.stalled);
  EXPECT_TRUE(hp.boxes.empty()) << hp.boxes.front().text;
  const size_t heap_now = mallinfo2().uordblks;
  EXPECT_LE(heap_now, heap_at_20 + 64 * 1024) << "the heap grew across 180 games";
}

}  // namespace
