// The keys of our own in play: each off keeps the game as it was, each on adds its rule.
#include "game/extras.h"

#include "game/game_fixture.h"
#include "game/game_math.h"
#include "game/game_scene.h"
#include "game/game_screen.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

class ExtrasTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    hp.keep_frames = true;
    g_stage.BG = LoadPicture("bg.bmp", 640, 480, 0x000000);
    g_stage.GAGE_BASE = LoadPicture("base.bmp", 640, 32, 0x000000);
  }
  // The player and one enemy standing still far away, so the stage goes on.
  static void PlayerAndEnemy() {
    g_stage.ENEMY_NUMBER = 0;
    AddEnemy(320.0f, 240.0f).ai = 0;
    AddEnemy(500.0f, 350.0f);
  }
  // The player thrown against the left wall: 50 hit points a bounce.
  static void ThrowAtWall() {
    Player().x = 20.0f;
    Player().vx = -800.0f;
  }
};

TEST_F(ExtrasTest, GraceTakesBackDamageUntilItEnds) {
  const struct {
    int grace_ms;
    uint32_t second_hit_after_ms;
    int hp_after;
  } cases[] = {{0, 100, 0}, {500, 100, 50}, {500, 600, 0}};
  for (const auto& c : cases) {
    g_param.HIT_GRACE = c.grace_ms;
    PlayerAndEnemy();
    Start();
    ThrowAtWall();
    Frame();
    EXPECT_EQ(Player().hp, 50) << c.grace_ms;
    const uint32_t hit_at = hp.now;
    while (hp.now < hit_at + c.second_hit_after_ms) Frame();
    ThrowAtWall();
    Frame();
    EXPECT_EQ(Player().hp, c.hp_after)
        << c.grace_ms << " ms grace, hit after " << c.second_hit_after_ms;
  }
}

TEST_F(ExtrasTest, FlashBlinksThePlayerOnlyWhenOn) {
  for (int flash : {0, 1}) {
    g_param.HIT_FLASH = flash;
    PlayerAndEnemy();
    Player().img = LoadPicture("p.bmp", 32, 32, 0xFFFFFF);
    Start();
    ThrowAtWall();
    g_state.frame_delta = 0.016f;
    int hidden = 0;
    for (int f = 0; f < 20; ++f) {
      Frame();
      Player().vx = 0.0f;
      hidden += hp.FramePixel(Trunc(Player().x) + 16, 256) == 0 ? 1 : 0;
    }
    // Hidden about half of the time it blinks.
    EXPECT_GE(hidden, flash * 5);
    EXPECT_LE(hidden, flash * 15);
  }
}

TEST_F(ExtrasTest, BossBarShowsTheBossesHitPointsInTheGauge) {
  g_stage.GAGE = LoadPicture("g.bmp", 120, 19, 0x00FF00);
  Character& boss = AddEnemy(500.0f, 100.0f);
  boss.hp = 50;
  boss.init_hp = 100;
  for (int mark : {0, 1}) {
    boss.boss = mark;
    DrawGameScreen();
    g_draw.Present();
    // Half of a bar as wide as the gauge picture, ending at x 620: green from x 500 to 560.
    EXPECT_EQ(hp.FramePixel(501, 460) != 0, mark == 1);
    EXPECT_EQ(hp.FramePixel(559, 460) != 0, mark == 1);
    EXPECT_EQ(hp.FramePixel(561, 460), 0);
  }
}

TEST_F(ExtrasTest, EnemiesBeforeTheirTurnAreDimmedOnlyWhenOn) {
  Character& early = AddEnemy(100.0f, 100.0f);
  early.img = LoadPicture("e.bmp", 32, 32, 0xFFFFFF);
  early.turn = 1;
  AddEnemy(200.0f, 100.0f).img = early.img;  // of the turn in play
  const uint16_t white = 0xFFFF;
  for (int dim : {0, 1}) {
    g_param.DIM_EARLY = dim;
    DrawGameScreen();
    g_draw.Present();
    EXPECT_EQ(hp.FramePixel(110, 110) == white, dim == 0);
    EXPECT_NE(hp.FramePixel(110, 110), 0);
    EXPECT_EQ(hp.FramePixel(210, 110), white);
  }
}

TEST_F(ExtrasTest, TimeUpShowsItsBannerBeforeGameOver) {
  // The banner of one stage must not end the next.
  for (int ms : {1000, 0}) {
    g_param.TIME_UP = ms;
    hp.texts.clear();
    PlayerAndEnemy();
    g_stage.INIT_TIME = 100;
    Start();
    g_stage.INIT_TIME = 0;
    Frame();
    const bool banner = g_state.scene == SCENE_GAME;
    EXPECT_EQ(banner, ms > 0);
    int frames = 0;
    while (g_state.scene == SCENE_GAME && frames++ < 200) Frame();
    EXPECT_EQ(g_state.scene, SCENE_GAME_OVER);
    EXPECT_NEAR(frames, ms / 16, 2);
    EXPECT_EQ(!hp.texts.empty() && hp.texts.back().text == " TIME UP ", ms > 0);
    g_state.scene = SCENE_GAME;
  }
}

TEST_F(ExtrasTest, TheBannerShowsAPlayerCaughtMidBlink) {
  g_param.HIT_FLASH = 1;
  g_param.TIME_UP = 1000;
  PlayerAndEnemy();
  Player().img = LoadPicture("p.bmp", 32, 32, 0xFFFFFF);
  g_stage.INIT_TIME = 100;
  Start();
  ThrowAtWall();
  Frame();
  ASSERT_TRUE(HiddenByBlink(0));
  Player().vx = 0.0f;
  g_stage.INIT_TIME = 0;
  for (int f = 0; f < 3; ++f) Frame();
  ASSERT_EQ(g_state.scene, SCENE_GAME);
  EXPECT_NE(hp.FramePixel(Trunc(Player().x) + 16, 256), 0);
}

TEST_F(ExtrasTest, DefeatShakesTheScreenForItsTime) {
  g_stage.BG = LoadPicture("grey.bmp", 640, 480, 0x808080);
  for (int ms : {0, 300}) {
    g_param.DEFEAT_SHAKE = ms;
    PlayerAndEnemy();
    Player().hp = 0;
    Player().bom_last_img = 100;
    Start();
    Frame();  // defeated
    Frame();
    const bool shaken = hp.FramePixel(0, 200) == 0 || hp.FramePixel(639, 200) == 0;
    EXPECT_EQ(shaken, ms > 0);
    hp.now += 400;
    Frame();
    EXPECT_NE(hp.FramePixel(0, 200), 0);
    EXPECT_NE(hp.FramePixel(639, 200), 0);
  }
}

TEST_F(ExtrasTest, SpareLivesAtScoreStepsAndStageClears) {
  // Stock 2 at the start.
  const struct {
    int extend_score, extend_stage, score, bonus, stock;
  } cases[] = {{0, 0, 25000, 0, 2},      {10000, 0, 25000, 0, 4}, {0, 2, 0, 0, 4},
               {10000, 1, 9999, 0, 3},   {10000, 0, 10000, 0, 3}, {10000, 0, 9000, 500, 2},
               {10000, 0, 9000, 1000, 3}};
  for (const auto& c : cases) {
    g_param.EXTEND_SCORE = c.extend_score;
    g_param.EXTEND_STAGE = c.extend_stage;
    g_param.CLEAR_BONUS = c.bonus / 2;  // stage 1: (1 + 1) x CLEAR_BONUS
    PlayerAndEnemy();
    Start();
    g_game.score = c.score;
    g_chars[1].state = STATE_GONE;
    g_state.select = 1;  // past the banner
    Frame();
    EXPECT_EQ(g_state.scene, SCENE_STAGE_INTRO);
    EXPECT_EQ(g_game.stock, c.stock) << c.extend_score << " " << c.extend_stage << " " << c.score;
  }
}

// What the continue keeps and resets: the front end's continue box tests.
TEST_F(ExtrasTest, AContinueGivesAFreshStockWhileAnyIsLeft) {
  g_param.CONTINUES = 1;
  Start();
  g_game.stock = 0;
  EXPECT_TRUE(ContinueGame());
  EXPECT_EQ(g_game.stock, 2);
  EXPECT_FALSE(ContinueGame());
}

}  // namespace
