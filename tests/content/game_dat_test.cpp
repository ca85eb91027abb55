#include "content/content_test.h"
#include "content/game_params.h"
#include "frontend/boot_scene.h"
#include "scene/scene_state.h"
#include "shell/program_reset.h"

namespace {

class GameDatTest : public ContentTest {
 protected:
  void Read(const std::string& text) {
    Write("Data/game.dat", text);
    g_state.game_in_progress = 1;
    SceneBoot();
    EXPECT_EQ(g_state.game_in_progress, 0);
  }
  void ExpectRefused() {
    ASSERT_EQ(hp.boxes.size(), 1u);
    EXPECT_EQ(hp.boxes[0].text, "game.datが読み込めませんでした。\r\n");
    EXPECT_EQ(hp.boxes[0].caption, "メッセージ");
    EXPECT_EQ(g_state.shutdown_state, 2);
  }
};

TEST_F(GameDatTest, EveryKeyTakesItsValueFromRightAfterTheColon) {
  struct Key {
    const char* key;
    int GameParams::*field;
  };
  using P = GameParams;
  const Key keys[] = {{"MAX_STAGE:", &P::MAX_STAGE},         {"PLAYER_STOCK:", &P::PLAYER_STOCK},
                      {"SHOT_DAMAGE:", &P::SHOT_DAMAGE},     {"SHOT_SPEED:", &P::SHOT_SPEED},
                      {"SHOT_REACTION:", &P::SHOT_REACTION}, {"SHOT_SHADOW:", &P::SHOT_SHADOW},
                      {"SHOT_SIZE_X:", &P::SHOT_SIZE_X},     {"SHOT_SIZE_Y:", &P::SHOT_SIZE_Y},
                      {"SHOT_SCORE:", &P::SHOT_SCORE},       {"SHOT_INTERVAL:", &P::SHOT_INTERVAL},
                      {"SHOT_TIMER:", &P::SHOT_TIMER},       {"INIT_STAGE:", &P::INIT_STAGE},
                      {"RIVIVAL_TIME:", &P::RIVIVAL_TIME},   {"SPECIAL_TIME:", &P::SPECIAL_TIME},
                      {"CLEAR_BONUS:", &P::CLEAR_BONUS},     {"TIME_BONUS:", &P::TIME_BONUS},
                      {"PAN_EFFECTS:", &P::PAN_EFFECTS},     {"BLINK_TIME:", &P::BLINK_TIME}};
  constexpr int n = static_cast<int>(std::size(keys));
  std::string text;
  for (int i = 0; i < n; ++i)
    text += "#" + std::string(keys[i].key) + std::to_string(41 + i) + "\n";
  Read(text + "#REVIVAL_TIME:1\n#max_stage: 9 stages\n#SHOT_DAMAGE-4\n#BLINK_TIME:17");
  for (int i = 1; i < n - 1; ++i) EXPECT_EQ(g_param.*keys[i].field, 41 + i) << keys[i].key;
  // A last line without a line end keeps every byte.
  EXPECT_EQ(g_param.MAX_STAGE, 9);
  EXPECT_EQ(g_param.BLINK_TIME, 17);
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(GameDatTest, SoundBlockOpensClosesAndSurvivesUnknownDirectives) {
  WriteWav("sound/ok.wav");
  WriteWav("sound/bomb.wav");
  // "cancel:" names the program's own folder, which is no wave.
  Read(
      "#SOUND:\nOK:sound\\OK.wav\n#NO_SUCH_KEY:1\ncancel:\nbomb:sound\\bomb.wav\n"
      "#MAX_STAGE:2\nshot:sound\\bomb.wav\n");
  // Mix 3 each.
  EXPECT_EQ(g_sound.UsedCount(), 2);
  EXPECT_EQ(hp.sound_buffers.size(), 6u);
  EXPECT_EQ(g_sound_role.bomb, 1);
  EXPECT_EQ(g_sound_role.shot, 0) << "a known directive closes the block";
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_NE(hp.boxes[0].text.find("elSound::LoadObject"), std::string::npos);
}

TEST_F(GameDatTest, MissingFileAndBadShotShadowAreRefused) {
  SceneBoot();
  ExpectRefused();
  // A refused line (its bounds: the reader's table) stops the reading there.
  ResetProgramState();
  hp.boxes.clear();
  testing::internal::CaptureStderr();
  Read("#MAX_STAGE:3\n#SHOT_SHADOW:65\n#MAX_STAGE:4\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Data/game.dat:2: SHOT_SHADOW", 0), 0u);
  ExpectRefused();
  EXPECT_EQ(g_param.MAX_STAGE, 3);
  EXPECT_EQ(g_param.SHOT_SHADOW, 0);
}

TEST_F(GameDatTest, OurKeysAreOffUnlessGivenAndTakeTheirValues) {
  using P = GameParams;
  const std::pair<const char*, int GameParams::*> keys[] = {
      {"EXTEND_SCORE:", &P::EXTEND_SCORE}, {"EXTEND_STAGE:", &P::EXTEND_STAGE},
      {"CONTINUES:", &P::CONTINUES},       {"STAGE_SELECT:", &P::STAGE_SELECT},
      {"HIT_GRACE:", &P::HIT_GRACE},       {"HIT_FLASH:", &P::HIT_FLASH},
      {"DEFEAT_SHAKE:", &P::DEFEAT_SHAKE}, {"TIME_UP:", &P::TIME_UP},
      {"DIM_EARLY:", &P::DIM_EARLY}};
  Read("#MAX_STAGE:3\n");
  for (const auto& [key, field] : keys) EXPECT_EQ(g_param.*field, 0) << key;
  std::string text;
  for (size_t i = 0; i < std::size(keys); ++i)
    text += "#" + std::string(keys[i].first) + std::to_string(70 + i) + "\n";
  Read(text);
  for (size_t i = 0; i < std::size(keys); ++i)
    EXPECT_EQ(g_param.*keys[i].second, static_cast<int>(70 + i)) << keys[i].first;
}

}  // namespace
