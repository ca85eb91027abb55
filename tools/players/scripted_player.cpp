#include "players/scripted_player.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "game/game_state.h"
#include "platform/headless/headless_platform.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/program_reset.h"

namespace {

using namespace platform;

struct Body {
  float x, y, vx, vy;  // centre and velocity
  bool due;            // of the wave now being fought
};

Body BodyOf(const Character& c) {
  return {c.x + c.size_x / 2.0f, c.y + c.size_y / 2.0f, c.vx, c.vy, c.turn == g_game.turn};
}

// What the player has seen of the field at one moment.
struct Sight {
  uint32_t at;
  Body self;
  std::vector<Body> enemies;
};

// Turns toward the nearest enemy it saw and fires: it lines up across the line of
// fire with gentle thrust while keeping its distance, then faces along it.
class ScriptedPlayer {
 public:
  ScriptedPlayer(HeadlessPlatform& hp, const Skill& skill, uint32_t seed)
      : hp_(hp), skill_(skill), random_(seed) {}

  void Frame() {
    Look();
    if (keys_due_ <= hp_.now) {
      Sight now = Recalled();
      now.self = seen_.back().self;  // its own lantern it always knows
      Decide(now);
      keys_due_ = hp_.now + skill_.think_ms;
    }
    for (int vk : keys_) hp_.HoldKey(hp_.now, vk, 1);
  }

 private:
  void Look() {
    Sight s{hp_.now, BodyOf(g_chars[0]), {}};
    for (int i = 1; i < std::min(g_stage.ENEMY_NUMBER, MAX_CHARACTERS); ++i)
      if (g_chars[static_cast<size_t>(i)].state == STATE_ACTIVE)
        s.enemies.push_back(BodyOf(g_chars[static_cast<size_t>(i)]));
    seen_.push_back(std::move(s));
    while (seen_.size() > 1 && seen_[1].at + skill_.reaction_ms <= hp_.now) seen_.pop_front();
  }
  const Sight& Recalled() const { return seen_.front(); }

  void Decide(const Sight& s) {
    keys_.clear();
    const Body& p = s.self;
    // The nearest of the wave being fought; one that came before its wave only when none is left.
    const auto better = [&](const Body& b, const Body* than) {
      if (than == nullptr || b.due != than->due) return than == nullptr || b.due;
      return std::hypot(b.x - p.x, b.y - p.y) < std::hypot(than->x - p.x, than->y - p.y);
    };
    const Body* e = nullptr;
    for (const Body& b : s.enemies)
      if (better(b, e)) e = &b;
    if (e == nullptr) {
      Hold(Settle(p.vx, 0.0f, VK_LEFT, VK_RIGHT));
      Hold(Settle(p.vy, 0.0f, VK_UP, VK_DOWN));
      return;
    }
    std::uniform_real_distribution<float> error(-skill_.aim_error, skill_.aim_error);
    // Aims where the target will be when the shot gets there.
    const float flight =
        std::hypot(e->x - p.x, e->y - p.y) / static_cast<float>(std::max(g_param.SHOT_SPEED, 1));
    const float dx = e->x + e->vx * flight + error(random_) - p.x;
    const float dy = e->y + e->vy * flight + error(random_) - p.y;
    const bool vertical = std::fabs(dy) > std::fabs(dx);
    const float across = vertical ? dx : dy, along = vertical ? dy : dx;
    const float v_across = vertical ? p.vx : p.vy, v_along = vertical ? p.vy : p.vx;
    const int less_across = vertical ? VK_LEFT : VK_UP, more_across = vertical ? VK_RIGHT : VK_DOWN;
    const int less_along = vertical ? VK_UP : VK_LEFT, more_along = vertical ? VK_DOWN : VK_RIGHT;
    if (std::fabs(across) > 8.0f) {
      const float keep = std::fabs(along) < skill_.keep ? (along > 0 ? -90.0f : 90.0f) : 0.0f;
      const int across_key =
          Settle(v_across, std::clamp(across * 2.5f, -160.0f, 160.0f), less_across, more_across);
      Hold(across_key);
      // Left or right decides the facing: push along a vertical line only when lined up.
      if (!vertical || across_key == 0) Hold(Settle(v_along, keep, less_along, more_along));
      return;
    }
    Hold(along > 0 ? more_along : less_along);
    Hold(VK_SPACE);
  }
  // The key that brings a velocity toward the wanted one, or 0 when it is close.
  static int Settle(float v, float want, int less, int more) {
    return v < want - 15.0f ? more : v > want + 15.0f ? less : 0;
  }
  void Hold(int vk) {
    if (vk != 0) keys_.push_back(vk);
  }

  HeadlessPlatform& hp_;
  const Skill& skill_;
  std::mt19937 random_;
  std::deque<Sight> seen_;
  std::vector<int> keys_;
  uint32_t keys_due_ = 0;
};

// What the run saw of the stage while it lasted.
struct Watch {
  bool started = false;
  int time_at_start = 0, stock_at_start = 0;
  StageResult result;
  bool over = false;
};

void Finish(Watch& w) {
  w.over = true;
  const int lost = w.stock_at_start - g_game.stock + (g_chars[0].state == STATE_GONE ? 1 : 0);
  w.result.cleared = g_state.scene == SCENE_STAGE_INTRO || g_state.scene == SCENE_ENDING;
  w.result.timed_out = !w.result.cleared && g_stage.INIT_TIME < 1;
  w.result.seconds_used = w.time_at_start - std::max(g_stage.INIT_TIME, 0);
  w.result.lives_lost = lost;
  w.result.stage_seconds = w.time_at_start;
}

// Frame times a millisecond apart by the seed, and Enter every 250 ms through the
// screens between stages.
class Pacer {
 public:
  Pacer(HeadlessPlatform& hp, uint32_t frame_ms, uint32_t seed)
      : hp_(hp), frame_ms_(frame_ms), jitter_(seed) {}
  void NextFrame() { hp_.frame_ms = frame_ms_ + (jitter_() & 1u); }
  void PressOnward() {
    if (hp_.now - last_press_ < 250) return;
    hp_.PressKey(hp_.now, VK_RETURN, 30);
    last_press_ = hp_.now;
  }

 private:
  HeadlessPlatform& hp_;
  uint32_t frame_ms_;
  std::mt19937 jitter_;
  uint32_t last_press_ = 0;
};

// A fresh folder whose data/ is the pack's, made current while a game runs in it.
class RunFolder {
 public:
  RunFolder(HeadlessPlatform& hp, const std::string& game_dir) {
    platform::Set(&hp);
    ResetProgramState();
    folder_ = (std::filesystem::temp_directory_path() / "ld-curve-XXXXXX").string();
    made_ = mkdtemp(folder_.data()) != nullptr;
    if (!made_) return;
    std::filesystem::current_path(folder_);
    std::filesystem::create_directory_symlink(game_dir + "/data", "data");
    std::ofstream("config.ini", std::ios::binary) << "FULL_SCREEN=0\r\n";
    hp.program_path = game_dir + "/lantern-drift";
  }
  ~RunFolder() {
    std::filesystem::current_path(old_cwd_);
    if (made_) std::filesystem::remove_all(folder_);
    ResetProgramState();
    platform::Set(nullptr);
  }
  bool Made() const { return made_; }

 private:
  std::filesystem::path old_cwd_ = std::filesystem::current_path();
  std::string folder_;
  bool made_ = false;
};

}  // namespace

std::function<void()> MakePlayer(HeadlessPlatform& hp, const Skill& skill, uint32_t seed) {
  return [player = std::make_shared<ScriptedPlayer>(hp, skill, seed)] { player->Frame(); };
}

StageResult PlayStage(const std::string& game_dir, int stage, const Skill& skill, uint32_t frame_ms,
                      uint32_t seed) {
  HeadlessPlatform hp;
  const RunFolder folder(hp, game_dir);
  if (!folder.Made()) return {};
  Pacer pacer(hp, frame_ms, seed);
  const std::function<void()> player = MakePlayer(hp, skill, seed);
  Watch w;
  hp.on_frame = [&] {
    pacer.NextFrame();
    if (w.over) return;
    if (g_state.scene == SCENE_GAME) {
      if (!w.started) {
        w.started = true;
        w.time_at_start = g_stage.INIT_TIME;
        w.stock_at_start = g_game.stock;
        hp.stop_at = hp.now + static_cast<uint32_t>(g_stage.INIT_TIME + 30) * 1000u;
      }
      if (skill.plays && g_state.play_running == 1) player();
      return;
    }
    if (w.started) {
      Finish(w);
      hp.stop_at = hp.now;
    } else if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
      g_param.INIT_STAGE = stage;
      hp.PressKey(hp.now, VK_RETURN, 30);
    } else {
      pacer.PressOnward();
    }
  };
  hp.stop_at = 120u * 1000u;  // to the game; the game itself then gets its time and a margin
  RunGame();
  if (w.started && !w.over) Finish(w);
  return w.result;
}

RunResult PlayRun(const std::string& game_dir, const Skill& skill, uint32_t frame_ms,
                  uint32_t seed) {
  HeadlessPlatform hp;
  const RunFolder folder(hp, game_dir);
  if (!folder.Made()) return {};
  Pacer pacer(hp, frame_ms, seed);
  const std::function<void()> player = MakePlayer(hp, skill, seed);
  RunResult run;
  bool started = false;
  int last_scene = 0, last_state = STATE_GONE;
  uint32_t first_ms = 0;
  constexpr uint32_t kSceneLimitMs = 120u * 1000u;  // beyond a stage's own time: stuck
  hp.on_frame = [&] {
    pacer.NextFrame();
    const int scene = g_state.scene;
    if (scene != last_scene) {
      const bool left_game = last_scene == SCENE_GAME;
      if (left_game && (scene == SCENE_STAGE_INTRO || scene == SCENE_ENDING)) ++run.stages_cleared;
      run.ending = run.ending || scene == SCENE_ENDING;
      if (scene == SCENE_GAME && !started) first_ms = hp.now;
      started = started || scene == SCENE_GAME;
      const uint32_t limit =
          scene == SCENE_GAME ? static_cast<uint32_t>(std::max(g_stage.INIT_TIME, 0)) * 1000u : 0u;
      hp.stop_at = hp.now + limit + kSceneLimitMs;
      last_scene = scene;
    }
    if (scene == SCENE_TITLE && started) {
      run.minutes = (hp.now - first_ms) / 60000.0;
      hp.stop_at = hp.now;
      return;
    }
    if (scene == SCENE_GAME) {
      const int state = g_chars[0].state;
      if (state == STATE_EXPLODING && last_state != STATE_EXPLODING) ++run.lives_lost;
      last_state = state;
      run.continues_used = g_game.continues_used;
      if (skill.plays && g_state.play_running == 1) player();
    } else {
      pacer.PressOnward();
    }
  };
  hp.stop_at = kSceneLimitMs;
  RunGame();
  return run;
}

PackCopy::PackCopy(const std::string& game_dir, const std::vector<std::string>& lines) {
  namespace fs = std::filesystem;
  dir_ = (fs::temp_directory_path() / "ld-pack-XXXXXX").string();
  if (mkdtemp(dir_.data()) == nullptr) {
    dir_.clear();
    return;
  }
  for (const fs::directory_entry& e : fs::directory_iterator(game_dir))
    if (e.path().filename() != "data" && e.is_directory())
      fs::create_directory_symlink(e.path(), fs::path(dir_) / e.path().filename());
  fs::copy(game_dir + "/data", dir_ + "/data", fs::copy_options::recursive);
  std::ofstream dat(dir_ + "/data/game.dat", std::ios::binary | std::ios::app);
  for (const std::string& line : lines) dat << "\r\n" << line << "\r\n";
}

PackCopy::~PackCopy() {
  if (!dir_.empty()) std::filesystem::remove_all(dir_);
}
