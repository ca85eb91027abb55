// Scripted players of graded skill that play one stage of a pack on the headless
// backend, from the title to the end of that stage.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class HeadlessPlatform;
}

struct Skill {
  const char* name;
  bool plays;            // false: never touches a key
  uint32_t reaction_ms;  // sees the enemies this late
  uint32_t think_ms;     // decides this often and holds its keys in between
  float aim_error;       // pixels off the target's centre, drawn anew at each decision
  float keep;            // distance it keeps from its target along the line of fire
};

inline constexpr Skill kIdle{"idle", false, 0, 0, 0.0f, 0.0f};
inline constexpr Skill kNovice{"novice", true, 250, 200, 14.0f, 140.0f};
inline constexpr Skill kSteady{"steady", true, 150, 100, 8.0f, 180.0f};
inline constexpr Skill kExpert{"expert", true, 0, 0, 0.0f, 240.0f};

struct StageResult {
  bool cleared = false;
  bool timed_out = false;
  int seconds_used = 0;
  int stage_seconds = 0;  // the stage time at its start
  int lives_lost = 0;
};

// Plays one stage of the pack in game_dir (which holds data/ and the program's
// pictures) at frame_ms per frame; the seed varies the frame times by a millisecond
// and the player's errors. Changes the current folder while it runs.
StageResult PlayStage(const std::string& game_dir, int stage, const Skill& skill, uint32_t frame_ms,
                      uint32_t seed);

struct RunResult {
  int stages_cleared = 0;
  int continues_used = 0;
  int lives_lost = 0;
  bool ending = false;
  double minutes = 0;  // from the first stage's start to the end of the game
};

// Plays a whole game of the pack in game_dir from its first stage with the stock
// it gives, taking every continue offered, until the title comes back.
RunResult PlayRun(const std::string& game_dir, const Skill& skill, uint32_t frame_ms,
                  uint32_t seed);

// A folder holding the pack in game_dir with these lines added to its game.dat
// ("#CONTINUES:3", ...): its own data/, the pack's pictures, sounds and music.
// Removed with the object.
class PackCopy {
 public:
  PackCopy(const std::string& game_dir, const std::vector<std::string>& lines);
  ~PackCopy();
  PackCopy(const PackCopy&) = delete;
  PackCopy& operator=(const PackCopy&) = delete;
  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
};

// A player of this skill that looks at the game and holds its keys on hp; call it
// at each frame of running play.
std::function<void()> MakePlayer(platform::HeadlessPlatform& hp, const Skill& skill, uint32_t seed);
