// The ten stages of the default game: who comes in which wave, where, and the rules of each.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CharacterKind {
  std::string name;  // what the data files' comments call it
  std::string img;
  int hp;
  int accel;  // px/s², the same on both axes
  int max;
  float hard;
  int size;
  int ai;  // 0 keyboard, 1 chase, 2 flee, 3 drift
  int score;
  int explosion_frames;
  bool animation;
  bool boss = false;
};

struct ObjectKind {
  std::string name;
  std::string img;
  int size;
  float hard;
  bool pass_over;
  bool animation;
};

struct Placement {
  const CharacterKind* kind;
  float x, y;
};

struct ObjectPlacement {
  const ObjectKind* kind;
  int x, y;
};

// interval lies above the head's step in a 36 ms frame (speed x 0.036): each trail segment then
// waits a frame or more before it sets off, so the trail shows at 30 frames a second and faster
// (a step of a whole interval would move every segment with the head).
struct ShotSettings {
  int damage, speed, reaction, shadow, score, interval, timer;
};

struct Stage {
  int number;
  std::string title_en, title_jp, hint_en, hint_jp;
  int time;
  float wall_hard;
  int blink;
  ShotSettings shot;
  std::optional<int> clear_bonus;
  std::vector<std::vector<Placement>> turns;  // turn 0 first; the player comes on top
  std::vector<ObjectPlacement> objects;
  // Every stage names its wall sound, so one stage's own sound does not stay for the next.
  std::string wall_sound = "crash_wall";
};

constexpr int kFirstStage = 1;
constexpr int kShotSize = 16;

const CharacterKind& PlayerKind();
const std::vector<Stage>& Stages();
// The game's shot rules before any stage changes them.
ShotSettings DefaultShot();
