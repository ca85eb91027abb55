// The stage header, the character table and the stage object table that a
// stage file fills and gameplay runs on.
#pragma once

#include <array>
#include <string>

constexpr int MAX_CHARACTERS = 64;
constexpr int MAX_OBJECTS = 64;

enum CharacterState {
  STATE_GONE = 0,
  STATE_ACTIVE = 1,
  STATE_WAITING = 2,
  STATE_REVIVING = 3,
  STATE_PROTECTED = 4,
  STATE_EXPLODING = 5,
};

struct Character {
  float x = 0, y = 0;
  float vx = 0, vy = 0;
  int ax = 0, ay = 0;
  int max = 0;
  int hp = 0;
  int init_hp = 0;
  float hard = 0;
  int attack = 0;
  int move_down = 0, move_right = 0, move_up = 0, move_left = 0;
  int facing = 0;  // 0 down, 1 right, 2 up, 3 left
  int size_x = 0, size_y = 0;
  int turn = 0;
  int state = STATE_GONE;
  int ai = 0;
  int score = 0;
  int bom_img = 0;  // explosion frame
  int bom_last_img = 0;
  int img = 0;
  int animation = 0;
  int boss = 0;  // our key: 1 shows a health bar while the enemy is in play
};

struct StageObject {
  int x = 0, y = 0;
  float hard = 0;
  int on = 0;
  int img = 0;
  int size_x = 0, size_y = 0;
  int animation = 0;
  int present = 0;
};

struct StageHeader {
  int ENEMY_NUMBER = 1;
  int OBJECT_NUMBER = 0;
  int MAX_TURN = 0;
  int BG = 0;
  int FONT = 0;
  int GAGE = 0;
  int GAGE_BASE = 0;
  int STAGE_CLEAR = 0;
  float STAGE_HARD = 0;
  int INIT_TIME = 0;  // also the remaining time while a stage runs
  char BGM[256] = {};
  std::string bgm_named_at;  // "file:line" of the BGM line, for messages
  std::string bgm_line;      // that line as the file spells it
  int CLEAR_BONUS = 0;
  int clear_bonus_flag = 0;
};

extern StageHeader g_stage;
extern std::array<Character, MAX_CHARACTERS> g_chars;
extern std::array<StageObject, MAX_OBJECTS> g_objects;

void ResetStageData();
