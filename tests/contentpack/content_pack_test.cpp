// The default content pack fits every rectangle the game draws and every limit of its tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "contentpack/pack_files.h"

namespace {

using pack::Int;
using pack::Keys;
using pack::PictureSize;
using pack::ReadTagged;
using pack::Tagged;

// The picture exists and holds the rectangle (0, 0)-(width, height).
void ExpectCovers(const std::string& name, int width, int height) {
  const auto size = PictureSize(name);
  ASSERT_TRUE(size.has_value()) << name << " is missing or no BMP";
  EXPECT_GE(size->width, width) << name;
  EXPECT_GE(size->height, height) << name;
}

// Keyed pictures end in the key: RGB565 truncation makes anything below 8/4/8 the key, and a
// kept colour darker than 48 in every channel would show as a dark rim on the stage floors.
void ExpectCleanEdges(const std::string& name) {
  const pack::Picture p = pack::ReadPicture(name);
  ASSERT_FALSE(p.pixels.empty()) << name;
  const auto rim = std::count_if(p.pixels.begin(), p.pixels.end(), [](pack::Rgb c) {
    const bool key = c.r >> 3 == 0 && c.g >> 2 == 0 && c.b >> 3 == 0;
    return !key && std::max({c.r, c.g, c.b}) < 48;
  });
  EXPECT_EQ(rim, 0) << name << " has near-black pixels that the game draws";
}

std::string Value(const Keys& keys, const std::string& key) {
  const auto found = keys.find(key);
  return found == keys.end() ? "" : found->second;
}

struct Game {
  Tagged dat = ReadTagged("Data\\game.dat");
  int first = Int(dat.directives, "INIT_STAGE:");
  int end = Int(dat.directives, "MAX_STAGE:");
  std::string StageFile(int stage) const { return "data\\data" + std::to_string(stage) + ".dat"; }
};

TEST(ContentPack, FixedPicturesHoldWhatTheScreensDraw) {
  ExpectCovers("img\\title.bmp", 639, 479);
  ExpectCovers("img\\cursor.bmp", 19, 29);
  ExpectCovers("img\\menu.bmp", 135, 150);
  ExpectCovers("img\\cursor2.bmp", 94, 25);
  ExpectCovers("img\\font.bmp", 14 * 9 + 14, 46);
  ExpectCovers("img\\ranking.bmp", 639, 479);
  ExpectCovers("img\\howto.bmp", 639, 479);
}

TEST(ContentPack, GameDatGivesEveryKeyAndEverySound) {
  const Game game;
  const char* keys[] = {"MAX_STAGE:",    "PLAYER_STOCK:", "SHOT_DAMAGE:",  "SHOT_SPEED:",
                        "SHOT_REACTION:", "SHOT_SHADOW:", "SOUND:",        "SHOT_IMG:",
                        "SHOT_SIZE_X:",  "SHOT_SIZE_Y:",  "SHOT_SCORE:",   "SHOT_INTERVAL:",
                        "SHOT_TIMER:",   "INIT_STAGE:",   "RIVIVAL_TIME:", "SPECIAL_TIME:",
                        "CLEAR_BONUS:",  "TIME_BONUS:",   "STOCK_IMG:",    "BLINK_TIME:"};
  for (const char* key : keys) EXPECT_EQ(game.dat.directives.count(key), 1u) << key;
  const char* roles[] = {"ok:",        "cancel:", "select:",    "crash_wall:", "crash_char:",
                         "crash_obj:", "shot:",   "shot_miss:", "shot_hit:",   "bomb:"};
  for (const char* role : roles) EXPECT_TRUE(pack::Resolve(Value(game.dat.sound, role))) << role;
  EXPECT_GE(game.end - game.first, 6) << "at least six stages";
  ExpectCovers(Value(game.dat.directives, "SHOT_IMG:"), Int(game.dat.directives, "SHOT_SIZE_X:"),
               Int(game.dat.directives, "SHOT_SIZE_Y:"));
  ExpectCovers(Value(game.dat.directives, "STOCK_IMG:"), 15, 15);
  ExpectCleanEdges(Value(game.dat.directives, "SHOT_IMG:"));
  ExpectCleanEdges(Value(game.dat.directives, "STOCK_IMG:"));
}

TEST(ContentPack, EveryNameFitsTheLoaders) {
  const Game game;
  std::vector<std::string> files = {"Data\\game.dat", "data\\demo_op.dat", "data\\demo_end.dat",
                                    "data\\demo_go.dat"};
  for (int s = game.first; s < game.end; ++s) {
    files.push_back(game.StageFile(s));
    files.push_back("data\\demo" + std::to_string(s) + ".dat");
  }
  for (const std::string& file : files) {
    const Tagged t = ReadTagged(file);
    EXPECT_FALSE(t.names.empty()) << file << " is missing or names nothing";
    for (const std::string& name : t.names) {
      EXPECT_LE(name.size(), 30u) << file << ": " << name;
      EXPECT_TRUE(pack::Resolve(name)) << file << " names a missing file: " << name;
      EXPECT_EQ(name.find(' '), std::string::npos) << file << ": " << name;
    }
  }
}

// A full player shows a full gauge: the bar and its frame in the strip end at the full hit points.
void ExpectGaugeOfWidth(const Tagged& stage, int hp) {
  const auto gauge = PictureSize(Value(stage.directives, "GAGE:"));
  ASSERT_TRUE(gauge.has_value());
  EXPECT_EQ(gauge->width, hp) << "gauge";
  const pack::Picture base = pack::ReadPicture(Value(stage.directives, "GAGE_BASE:"));
  ASSERT_GE(base.size.width, 10 + hp + 4);
  const auto same = [](pack::Rgb a, pack::Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
  const pack::Rgb inset = base.At(10, 16);
  EXPECT_TRUE(same(base.At(10 + hp - 1, 16), inset)) << "the frame ends before the gauge";
  EXPECT_FALSE(same(base.At(10 + hp + 3, 16), inset)) << "the frame runs on past the gauge";
}

void ExpectStagePictures(const Tagged& stage) {
  ExpectCovers(Value(stage.directives, "BG:"), 640, 480);
  ExpectCovers(Value(stage.directives, "FONT:"), 9 * 9 + 9, 19);
  ExpectCovers(Value(stage.directives, "GAGE_BASE:"), 639, 32);
  ExpectCovers(Value(stage.directives, "STAGE_CLEAR:"), 509, 59);
  EXPECT_TRUE(pack::Resolve(Value(stage.directives, "BGM:")));
}

// Facings, the alternate set 128 px further, and the explosion row.
void ExpectSheet(const Keys& c, const std::string& where) {
  const int w = Int(c, "size_x:"), h = Int(c, "size_y:");
  const bool animated = c.count("animation:") > 0;
  int width = std::max(4 * w, Int(c, "bom_last_img:") * w);
  if (animated) {
    EXPECT_LE(4 * w, 128) << where << ": frames would run into the alternate set";
    width = std::max(width, 128 + 4 * w);
  }
  EXPECT_GE(Int(c, "bom_last_img:"), 1) << where;
  ExpectCovers(Value(c, "img:"), width, 2 * h);
  ExpectCleanEdges(Value(c, "img:"));
}

void ExpectCharacter(const Keys& c, const std::string& where) {
  const char* keys[] = {"img:", "hp:",   "xy:",    "axy:", "max:",   "attack:",       "hard:",
                        "size_x:", "size_y:", "ai:", "score:", "bom_last_img:", "turn:"};
  for (const char* key : keys) EXPECT_EQ(c.count(key), 1u) << where << " lacks " << key;
  ExpectSheet(c, where);
  const int x = std::atoi(Value(c, "xy:").c_str());
  const int y = std::atoi(Value(c, "xy:").substr(Value(c, "xy:").find(',') + 1).c_str());
  EXPECT_TRUE(x >= 32 && y >= 32 && x + Int(c, "size_x:") <= 608 && y + Int(c, "size_y:") <= 448)
      << where << " starts outside the walls";
  EXPECT_GT(Int(c, "hp:"), 0) << where;
}

TEST(ContentPack, StagesFitTheirPicturesAndTables) {
  const Game game;
  int full_hp = 0;
  for (int s = game.first; s < game.end; ++s) {
    const Tagged stage = ReadTagged(game.StageFile(s));
    const std::string where = game.StageFile(s);
    ASSERT_FALSE(stage.directives.empty()) << where;
    const int count = Int(stage.directives, "ENEMY_NUMBER:");
    ASSERT_TRUE(count >= 2 && count <= 64) << where;
    for (int e = 0; e < count; ++e) {
      ASSERT_EQ(stage.enemies.count(e), 1u) << where << " lacks character " << e;
      ExpectCharacter(stage.enemies.at(e), where + " character " + std::to_string(e));
    }
    const Keys& player = stage.enemies.at(0);
    EXPECT_EQ(Int(player, "ai:"), 0) << where;
    EXPECT_EQ(Int(player, "turn:"), 0) << where;
    ExpectStagePictures(stage);
    full_hp = std::max(full_hp, Int(player, "hp:"));
    const int shadow = Int(stage.directives, "SHOT_SHADOW:");
    EXPECT_TRUE(shadow >= 1 && shadow <= 64) << where;
    if (stage.directives.count("SHOT_SIZE_X:")) {
      ExpectCovers(Value(game.dat.directives, "SHOT_IMG:"), Int(stage.directives, "SHOT_SIZE_X:"),
                   Int(stage.directives, "SHOT_SIZE_Y:"));
    }
  }
  for (int s = game.first; s < game.end; ++s) ExpectGaugeOfWidth(ReadTagged(game.StageFile(s)), full_hp);
}

// The player is counted in every turn; six explosion slots make six the most.
TEST(ContentPack, EveryTurnHasEnemiesAndAtMostSixCharacters) {
  const Game game;
  for (int s = game.first; s < game.end; ++s) {
    const Tagged stage = ReadTagged(game.StageFile(s));
    const int turns = Int(stage.directives, "MAX_TURN:");
    std::map<int, int> per_turn;
    for (const auto& [entry, c] : stage.enemies)
      if (entry > 0 && entry < Int(stage.directives, "ENEMY_NUMBER:")) ++per_turn[Int(c, "turn:")];
    for (int t = 0; t < turns; ++t) {
      EXPECT_GE(per_turn[t], 1) << game.StageFile(s) << " turn " << t << " is empty";
      EXPECT_LE(per_turn[t] + 1, 6) << game.StageFile(s) << " turn " << t;
    }
    for (const auto& [turn, n] : per_turn) EXPECT_LT(turn, turns) << game.StageFile(s);
  }
}

TEST(ContentPack, StageObjectsFitTheirPicturesAndBothKindsAppear) {
  const Game game;
  std::set<bool> kinds;
  for (int s = game.first; s < game.end; ++s) {
    const Tagged stage = ReadTagged(game.StageFile(s));
    const int count = Int(stage.directives, "OBJECT_NUMBER:");
    for (int o = 0; o < count; ++o) {
      const std::string where = game.StageFile(s) + " object " + std::to_string(o);
      ASSERT_EQ(stage.objects.count(o), 1u) << where;
      const Keys& k = stage.objects.at(o);
      for (const char* key : {"img:", "xy:", "hard:", "size_x:", "size_y:"})
        EXPECT_EQ(k.count(key), 1u) << where << " lacks " << key;
      const int frames = k.count("animation:") ? 2 : 1;
      ExpectCovers(Value(k, "img:"), frames * Int(k, "size_x:"), Int(k, "size_y:"));
      ExpectCleanEdges(Value(k, "img:"));
      kinds.insert(k.count("on:") > 0);
    }
  }
  EXPECT_EQ(kinds.size(), 2u) << "solid and pass-over objects both appear";
}

void ExpectScript(const std::string& file) {
  const Tagged script = ReadTagged(file);
  const int count = Int(script.directives, "MAX_SCENE:");
  ASSERT_TRUE(count >= 1 && count <= 10) << file;
  for (int n = 0; n < count; ++n) {
    const std::string where = file + " scene " + std::to_string(n);
    ASSERT_EQ(script.scenes.count(n), 1u) << where;
    const Keys& scene = script.scenes.at(n);
    EXPECT_EQ(scene.count("wait:"), 1u) << where << " must give its own wait";
    if (scene.count("fade_interval:")) {
      EXPECT_GE(Int(scene, "fade_interval:"), 1) << where;
    }
    const auto size = PictureSize(Value(scene, "img:"));
    ASSERT_TRUE(size.has_value()) << where;
    int x = 0, y = 0, w = 640, h = 480;
    if (scene.count("xy:")) std::sscanf(Value(scene, "xy:").c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
    EXPECT_TRUE(w <= size->width && h <= size->height && x + w <= 640 && y + h <= 480) << where;
  }
}

TEST(ContentPack, ScriptsShowPicturesThatExistWithTheirOwnWaits) {
  const Game game;
  ExpectScript("data\\demo_op.dat");
  for (int s = game.first; s < game.end; ++s) ExpectScript("data\\demo" + std::to_string(s) + ".dat");
  ExpectScript("data\\demo_end.dat");
  ExpectScript("data\\demo_go.dat");
}

}  // namespace
