#include "scenario/scenario_fixture.h"

#include <unistd.h>

#include "shell/shell.h"

void ScenarioTest::SetUp() {
  HeadlessTest::SetUp();
  dir = MakeTempDir();
  ASSERT_EQ(symlink(LD_GAME_DIR "/data", (dir + "data").c_str()), 0);
  std::FILE* config = std::fopen("config.ini", "wb");
  ASSERT_NE(config, nullptr);
  std::fputs("FULL_SCREEN=0\r\n", config);
  std::fclose(config);
  hp.program_path = LD_GAME_DIR "/lantern-drift";
}

int ScenarioTest::Run(const std::function<void()>& player, uint32_t limit_ms) {
  hp.on_frame = player;
  hp.stop_at = hp.now + limit_ms;
  return RunGame();
}

void ScenarioTest::Press(int vk) {
  hp.PressKey(hp.now, vk, 30);
  last_press_ = hp.now;
}

bool ScenarioTest::PressEvery(int vk, uint32_t interval_ms) {
  if (hp.now - last_press_ < interval_ms) return false;
  Press(vk);
  return true;
}

void ScenarioTest::Restart() {
  const uint32_t now = hp.now;
  const std::string program = hp.program_path;
  ResetProgramState();
  hp = platform::HeadlessPlatform();
  hp.now = now;
  hp.program_path = program;
  platform::Set(&hp);
  last_press_ = 0;
}
