#include "game/game_fixture.h"

#include "game/game_scene.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/ui/start.h"
#include "scene/scene_state.h"

namespace {

struct Role {
  const char* name;
  int SoundRoles::*field;
};

// Each role by the name its sound line gives it.
#define ROLE(name) \
  { #name, &SoundRoles::name }
constexpr Role kRoles[] = {ROLE(ok),         ROLE(cancel),    ROLE(select), ROLE(crash_wall),
                           ROLE(crash_char), ROLE(crash_obj), ROLE(shot),   ROLE(shot_miss),
                           ROLE(shot_hit),   ROLE(bomb)};
#undef ROLE

}  // namespace

void GameTest::SetUp() {
  HeadlessTest::SetUp();
  MakeTempDir();
  StartLibrary(640, 480, 1);
  g_stage.ENEMY_NUMBER = 0;
  AddEnemy(320.0f, 240.0f).ai = 0;  // the player, steered by the keys
  g_stage.MAX_TURN = 1;
  g_stage.STAGE_HARD = 1.0f;
  g_stage.INIT_TIME = 100;
  g_state.frame_delta = 0.0f;
}

Character& GameTest::AddEnemy(float x, float y) {
  return g_chars[g_stage.ENEMY_NUMBER++] = Character{.x = x,
                                                     .y = y,
                                                     .max = 1000,
                                                     .hp = 100,
                                                     .init_hp = 100,
                                                     .hard = 1.0f,
                                                     .size_x = 32,
                                                     .size_y = 32,
                                                     .state = STATE_ACTIVE,
                                                     .ai = 3};
}

bool GameTest::LoadSoundRoles() {
  test_bytes::WriteFile("beep.wav", test_bytes::Pcm16({0, 100, 200, 300, 400, 500, 600, 700}));
  for (const Role& role : kRoles) {
    const size_t before = hp.sound_buffers.size();
    g_sound_role.*role.field = g_sound.LoadObject("beep.wav", 1);
    if (hp.sound_buffers.size() != before + 1) return false;
    buffer_roles_.push_back(role.name);
  }
  return true;
}

std::vector<std::string> GameTest::Sounds() const {
  std::vector<std::string> names;
  for (int handle : hp.play_log) names.push_back(buffer_roles_.at(static_cast<size_t>(handle)));
  return names;
}

int GameTest::LoadPicture(const std::string& name, int w, int h, uint32_t colour) {
  test_bytes::WriteFile("img/" + name, test_bytes::Bmp24(w, h, colour));
  return g_draw.LoadObject("img\\" + name, 2);
}

void PlayTest::SetUp() {
  GameTest::SetUp();
  g_param.MAX_STAGE = 5;
  g_param.PLAYER_STOCK = 2;
  g_param.INIT_STAGE = 1;
}

void PlayTest::Start() {
  NewGameSetup();
  test_bytes::WriteFile("data/data1.dat",
                        "#ENEMY_NUMBER:" + std::to_string(g_stage.ENEMY_NUMBER) + "\n");
  g_state.scene = SCENE_GAME;
  g_state.scene_entry = 1;
  Frame();
}

void PlayTest::Frame() {
  SceneGame();
  g_state.scene_entry = 0;
}
