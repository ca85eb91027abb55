// Two hundred whole games back to back by a seeded random player: nothing
// may leak from one game into the next.
#include <malloc.h>

#include <algorithm>
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
  bool settled = true;  // no timer is left armed far ahead
  bool operator==(const Tables&) const = default;
};

Tables Snapshot(uint32_t now) {
  Tables t;
  for (int h = 2; h < elDraw::kObjects; ++h)
    if (!g_draw.Slot(h).name.empty()) t.pictures.insert(g_draw.Slot(h).name);
  t.sounds = g_sound.UsedCount();
  for (int slot = 1; slot <= elSystem::kSlots; ++slot) {
    const uint32_t d = g_system.Deadline(slot);
    if (d != elSystem::kDisarmed && d > now && d - now > 10000) t.settled = false;
  }
  return t;
}

using SoakTest = ScenarioTest;

TEST_F(SoakTest, TwoHundredGamesLeaveNothingBehind) {
  constexpr int kGames = 200;
  std::mt19937 rng{20261206};
  int games = 0;
  bool in_game = false;
  uint32_t game_end = 0, next_steer = 0;
  size_t heap_at_20 = 0;
  Tables at_title;
  hp.frame_ms = 20;
  const auto frame = [&] {
    if (g_state.scene == SCENE_GAME) {
      if (g_state.scene_entry == 1 && !in_game) game_end = hp.now + 2000 + rng() % 9000;
      in_game = true;
      if (g_state.play_running == 0) {  // the menu: back to the title, or now and then resume
        const bool resume = hp.now < game_end && rng() % 2;
        if (PressEvery(resume ? VK_RETURN : VK_UP, 200) && !resume)
          hp.PressKey(hp.now + 60, VK_RETURN);
      } else if (hp.now >= next_steer) {
        next_steer = hp.now + 150 + rng() % 250;
        for (int vk : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_SPACE})
          if (rng() % 3 == 0) hp.HoldKey(hp.now, vk, next_steer - hp.now);
        if (hp.now >= game_end || rng() % 60 == 0)
          Press(hp.now >= game_end ? VK_ESCAPE : VK_RETURN);
      }
    } else if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
      if (in_game) {
        in_game = false;
        ++games;
        EXPECT_EQ(Snapshot(hp.now), at_title) << "after game " << games;
        if (games == 20) heap_at_20 = mallinfo2().uordblks;
      }
      at_title = Snapshot(hp.now);
      hp.play_log = {};  // what the headless platform records is the test's memory, not the game's
      hp.music_commands = {};
      // Now and then a look at the how-to screen or the ranking first; Up is quit.
      const int downs = games == kGames ? -1 : rng() % 8 == 0 ? 1 + static_cast<int>(rng() % 2) : 0;
      for (int i = 0; i < downs; ++i) hp.PressKey(hp.now + 200 * i, VK_DOWN);
      if (downs < 0) Press(VK_UP);
      hp.PressKey(hp.now + 200 * std::max(downs, 0) + 100, VK_RETURN);
    } else if (g_state.scene != SCENE_TITLE && g_state.scene_entry == 0) {
      PressEvery(VK_RETURN, 250);
    }
  };
  EXPECT_EQ(Run(frame, 200u * 60u * 1000u), 0);
  EXPECT_EQ(games, kGames);
  EXPECT_EQ(g_state.shutdown_state, 2);
  EXPECT_FALSE(hp.stalled);
  EXPECT_TRUE(hp.boxes.empty()) << hp.boxes.front().text;
  EXPECT_LE(mallinfo2().uordblks, heap_at_20 + 64 * 1024) << "the heap grew across 180 games";
}

}  // namespace
