// A headless fixture for gameplay: an open display, a player in the middle of
// the field, helpers for enemies, sound roles, pictures and stage files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "game/game_state.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

class GameTest : public HeadlessTest {
 protected:
  void SetUp() override;

  static Character& Player() { return g_chars[0]; }
  // An active enemy of turn 0 with the player's size, standing still.
  static Character& AddEnemy(float x, float y);

  // Loads one sound object per role; false when no sound library answers.
  bool LoadSoundRoles();
  // The roles played so far, by name, in order.
  std::vector<std::string> Sounds() const;

  // Writes a 24-bit BMP of w x h filled with colour (0xRRGGBB), and loads it.
  // Returns 0 when no graphics library answers.
  int LoadPicture(const std::string& name, int w, int h, uint32_t colour);

 private:
  std::vector<std::string> buffer_roles_;
};

// A new game of five stages from stage 1 with a stock of 2, played through the game scene.
class PlayTest : public GameTest {
 protected:
  void SetUp() override;
  // A new game whose stage file keeps the characters the tables hold; runs its entry frame.
  void Start();
  // One frame of the game scene, as the main loop runs it.
  static void Frame();
};

using SteerTest = GameTest;
using CollisionTest = GameTest;
using DefeatTest = GameTest;
