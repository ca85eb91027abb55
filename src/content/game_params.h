// The game parameters of game.dat (some overwritten by stage files) and the ten sound roles.
#pragma once

#include <string>

struct GameParams {
  int MAX_STAGE = 0;
  int PLAYER_STOCK = 0;
  int SHOT_DAMAGE = 0;
  int SHOT_SPEED = 0;
  int SHOT_REACTION = 0;
  int SHOT_SHADOW = 0;
  int SHOT_IMG = 0;
  int SHOT_SIZE_X = 0;
  int SHOT_SIZE_Y = 0;
  int SHOT_SCORE = 0;
  int SHOT_INTERVAL = 0;
  int SHOT_TIMER = 0;
  int INIT_STAGE = 0;
  int RIVIVAL_TIME = 0;
  int SPECIAL_TIME = 0;
  int CLEAR_BONUS = 0;
  int TIME_BONUS = 0;
  int STOCK_IMG = 0;
  int BLINK_TIME = 500;
  // Keys of our own, 0 (off) when game.dat leaves them out.
  int EXTEND_SCORE = 0;  // a spare life at every multiple of this score
  int EXTEND_STAGE = 0;  // spare lives for each stage cleared
  int CONTINUES = 0;     // games carried on from the stage reached after game over
  int STAGE_SELECT = 0;  // 1: a new game may start at a stage this save has reached
  int HIT_GRACE = 0;     // ms after the player's damage in which damage costs nothing
  int HIT_FLASH = 0;     // 1: the damaged player blinks
  int DEFEAT_SHAKE = 0;  // ms the screen shakes when the player is defeated
  int TIME_UP = 0;       // ms of the "TIME UP" banner before a timed-out game ends
  int DIM_EARLY = 0;     // 1: enemies active before their turn are drawn translucent
  int PAN_EFFECTS = 0;   // effects sound left or right of where they happen
};

struct SoundRoles {
  int ok = 0;
  int cancel = 0;
  int select = 0;
  int crash_wall = 0;
  int crash_char = 0;
  int crash_obj = 0;
  int shot = 0;
  int shot_miss = 0;
  int shot_hit = 0;
  int bomb = 0;
};

extern GameParams g_param;
extern SoundRoles g_sound_role;

void ResetGameParams();

// A parameter that game.dat or a stage file sets.
struct ParamValue {
  int GameParams::*field;
  int value;
};
