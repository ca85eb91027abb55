#include "support/headless_test.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "content/game_params.h"
#include "content/scene_player.h"
#include "content/stage_data.h"
#include "frontend/ranking.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "shell/shell.h"
#include "shell/shell_state.h"

void ResetAll() {
  ResetShellState();
  g_system = elSystem();
  g_syskey_pass = 1;
  g_config_full_screen = 1;
  ResetDraw();
  ResetSound();
  g_music = MusicState();
  ResetGameParams();
  ResetStageData();
  ResetScenePlayer();
  g_game = GameState();
  g_ranking.fill(0);
}

int RunInChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void HeadlessTest::SetUp() {
  platform::Set(&hp);
  ResetAll();
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) != nullptr) old_cwd_ = cwd;
}

void HeadlessTest::TearDown() {
  if (!old_cwd_.empty() && chdir(old_cwd_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << old_cwd_;
  if (!temp_dir_.empty()) std::filesystem::remove_all(temp_dir_);
  ResetAll();
  platform::Set(nullptr);
}

std::string HeadlessTest::MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ld-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
  temp_dir_ = pattern;
  if (chdir(temp_dir_.c_str()) != 0) ADD_FAILURE() << "cannot enter " << temp_dir_;
  return temp_dir_ + "/";
}
