// The default content pack fits every rectangle the game draws and every limit of its tables.
// Missing files, overlong names and unreadable formats are the check_default_pack test's part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "contentpack/pack_files.h"

namespace {

using pack::Int, pack::Keys, pack::ReadTagged, pack::Tagged;

std::string Value(const Keys& keys, const std::string& key) {
  const auto found = keys.find(key);
  return found == keys.end() ? "" : found->second;
}

int Luminance(pack::Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }
// RGB565 truncation makes anything below 8/4/8 the key.
bool IsKey(pack::Rgb c) { return c.r >> 3 == 0 && c.g >> 2 == 0 && c.b >> 3 == 0; }

// Pixels next to the key, or the picture's edge, that are dim: the eye takes them for a dark
// rim or speck on the stage floors.
long DimOutline(const pack::Picture& p) {
  const auto keyed = [&](int x, int y) {
    return x < 0 || y < 0 || x >= p.size.width || y >= p.size.height || IsKey(p.At(x, y));
  };
  long dim = 0;
  for (int y = 0; y < p.size.height; ++y)
    for (int x = 0; x < p.size.width; ++x)
      if (!keyed(x, y) &&
          (keyed(x - 1, y) || keyed(x + 1, y) || keyed(x, y - 1) || keyed(x, y + 1)))
        dim += Luminance(p.At(x, y)) < 72 ? 1 : 0;
  return dim;
}

// The picture holds the rectangle (0, 0)-(width, height). Keyed pictures (clean) also end in
// the key: no kept colour darker than 48 in every channel, no dim outline.
void ExpectCovers(const std::string& name, int width, int height, bool clean = false) {
  const pack::Size size = pack::PictureSize(name).value_or(pack::Size{});
  EXPECT_TRUE(size.width >= width && size.height >= height) << name << " is missing or too small";
  if (!clean) return;
  const pack::Picture p = pack::ReadPicture(name);
  ASSERT_FALSE(p.pixels.empty()) << name;
  const auto rim = std::count_if(p.pixels.begin(), p.pixels.end(), [](pack::Rgb c) {
    return !IsKey(c) && std::max({c.r, c.g, c.b}) < 48;
  });
  EXPECT_EQ(rim, 0) << name << " has near-black pixels that the game draws";
  EXPECT_EQ(DimOutline(p), 0) << name << " has a dim outline";
}

// Mean brightness of the pixels the game draws in the rectangle.
double Brightness(const pack::Picture& p, int x0, int y0, int x1, int y1) {
  double sum = 0;
  long n = 0;
  for (int y = y0; y < std::min(y1, p.size.height); ++y)
    for (int x = x0; x < std::min(x1, p.size.width); ++x)
      if (!IsKey(p.At(x, y))) sum += Luminance(p.At(x, y)), ++n;
  return n == 0 ? 0 : sum / n;
}

struct Game {
  Tagged dat = ReadTagged("Data\\game.dat");
  int first = Int(dat.directives, "INIT_STAGE:");
  int end = Int(dat.directives, "MAX_STAGE:");
  Tagged Stage(int stage) const {
    return ReadTagged("data\\data" + std::to_string(stage) + ".dat");
  }
  // The scene scripts, and with stages the stage files too.
  std::vector<std::string> Files(bool stages) const {
    std::vector<std::string> files = {"data\\demo_op.dat", "data\\demo_end.dat",
                                      "data\\demo_go.dat"};
    for (int s = first; s < end; ++s) {
      if (stages) files.push_back("data\\data" + std::to_string(s) + ".dat");
      files.push_back("data\\demo" + std::to_string(s) + ".dat");
    }
    return files;
  }
};

TEST(ContentPack, FixedPicturesAndGameDatHoldWhatTheGameDraws) {
  for (const char* screen : {"img\\title.bmp", "img\\ranking.bmp", "img\\howto.bmp"})
    ExpectCovers(screen, 639, 479);
  ExpectCovers("img\\cursor.bmp", 19, 29);
  ExpectCovers("img\\menu.bmp", 135, 150);
  ExpectCovers("img\\cursor2.bmp", 94, 25);
  ExpectCovers("img\\font.bmp", 14 * 9 + 14, 46);
  const Game game;
  EXPECT_GE(game.end - game.first, 10) << "at least ten stages";
  const Keys& d = game.dat.directives;
  ExpectCovers(Value(d, "SHOT_IMG:"), Int(d, "SHOT_SIZE_X:"), Int(d, "SHOT_SIZE_Y:"), true);
  ExpectCovers(Value(d, "STOCK_IMG:"), 15, 15, true);
}

// Beside the menu entries, where the cursor moves, the panel is one colour per row, up to the
// dither that repeats every four pixels: none of the harbour behind it shows through.
TEST(ContentPack, TitleMenuPanelIsOpaque) {
  const pack::Picture title = pack::ReadPicture("img\\title.bmp");
  ASSERT_GE(title.size.height, 480);
  int seen_through = 0;
  for (int y = 330; y < 458; ++y)
    for (int x = 68; x < 100; ++x) {
      const pack::Rgb a = title.At(x, y), b = title.At(64 + x % 4, y);
      seen_through += a.r != b.r || a.g != b.g || a.b != b.b;
    }
  EXPECT_EQ(seen_through, 0);
}

// Every character, bosses included, stands out from the floor of the stage it plays on.
TEST(ContentPack, EveryCharacterIsBrightOnItsFloor) {
  const Game game;
  for (int s = game.first; s < game.end; ++s) {
    const Tagged stage = game.Stage(s);
    const double floor =
        Brightness(pack::ReadPicture(Value(stage.directives, "BG:")), 32, 32, 608, 448);
    for (const auto& [entry, c] : stage.enemies) {
      const int size = Int(c, "size_x:");
      const double body = Brightness(pack::ReadPicture(Value(c, "img:")), 0, 0, 4 * size, size);
      EXPECT_GE(body - floor, 80) << "stage " << s << " character " << entry << " "
                                  << Value(c, "img:");
    }
  }
}

// What a touch of each enemy of a stage costs a still player when it comes at its top speed,
// as the collision rule reckons it: hardness times half the speed over 16, per axis.
std::vector<int> Blows(const Tagged& stage) {
  std::vector<int> blows;
  for (const auto& [entry, c] : stage.enemies)
    if (entry > 0)
      blows.push_back(static_cast<int>(std::stof(Value(c, "hard:")) * (Int(c, "max:") / 2 / 16)));
  return blows;
}

// A new player meets the lightest touches first: no enemy of a later stage hits lighter than
// the first stage's heaviest.
TEST(ContentPack, TheFirstStageHitsTheLightest) {
  const Game game;
  const std::vector<int> first = Blows(game.Stage(game.first));
  ASSERT_FALSE(first.empty());
  for (int s = game.first + 1; s < game.end; ++s) {
    const std::vector<int> later = Blows(game.Stage(s));
    ASSERT_FALSE(later.empty()) << "stage " << s;
    EXPECT_LE(*std::max_element(first.begin(), first.end()),
              *std::min_element(later.begin(), later.end()))
        << "stage " << s;
  }
}

// Facings, the alternate set 128 px further, and the explosion row; the start inside the walls.
void ExpectCharacter(const Keys& c, const std::string& where) {
  const int w = Int(c, "size_x:"), h = Int(c, "size_y:");
  int width = std::max(4 * w, Int(c, "bom_last_img:") * w);
  if (c.count("animation:")) {
    EXPECT_LE(4 * w, 128) << where << ": frames would run into the alternate set";
    width = std::max(width, 128 + 4 * w);
  }
  EXPECT_GE(Int(c, "bom_last_img:"), 1) << where;
  ExpectCovers(Value(c, "img:"), width, 2 * h, true);
  int x = 0, y = 0;
  std::sscanf(Value(c, "xy:").c_str(), "%d,%d", &x, &y);
  EXPECT_TRUE(x >= 32 && y >= 32 && x + w <= 608 && y + h <= 448)
      << where << " starts outside the walls";
  EXPECT_GT(Int(c, "hp:"), 0) << where;
}

// A full player shows a full gauge: the bar and its frame in the strip end at the full hit points.
void ExpectGaugeOfWidth(const Tagged& stage, int hp) {
  EXPECT_EQ(pack::PictureSize(Value(stage.directives, "GAGE:")).value_or(pack::Size{}).width, hp)
      << "gauge";
  const pack::Picture base = pack::ReadPicture(Value(stage.directives, "GAGE_BASE:"));
  ASSERT_GE(base.size.width, 10 + hp + 4);
  const auto same = [](pack::Rgb a, pack::Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
  EXPECT_TRUE(same(base.At(10 + hp - 1, 16), base.At(10, 16))) << "the frame ends before the gauge";
  EXPECT_FALSE(same(base.At(10 + hp + 3, 16), base.At(10, 16)))
      << "the frame runs on past the gauge";
}

TEST(ContentPack, StagesFitTheirPicturesAndEveryTurnHasEnemies) {
  const Game game;
  int full_hp = 0;
  std::set<bool> object_kinds;
  for (int s = game.first; s < game.end; ++s) {
    const Tagged stage = game.Stage(s);
    const std::string where = "stage " + std::to_string(s);
    const Keys& d = stage.directives;
    ExpectCovers(Value(d, "BG:"), 640, 480);
    ExpectCovers(Value(d, "FONT:"), 9 * 9 + 9, 19);
    ExpectCovers(Value(d, "GAGE_BASE:"), 639, 32);
    ExpectCovers(Value(d, "STAGE_CLEAR:"), 509, 59);
    if (d.count("SHOT_SIZE_X:"))
      ExpectCovers(Value(game.dat.directives, "SHOT_IMG:"), Int(d, "SHOT_SIZE_X:"),
                   Int(d, "SHOT_SIZE_Y:"));
    std::map<int, int> per_turn;
    for (int e = 0; e < Int(d, "ENEMY_NUMBER:"); ++e) {
      ASSERT_EQ(stage.enemies.count(e), 1u) << where << " lacks character " << e;
      ExpectCharacter(stage.enemies.at(e), where + " character " + std::to_string(e));
      if (e > 0) ++per_turn[Int(stage.enemies.at(e), "turn:")];
    }
    for (int t = 0; t < Int(d, "MAX_TURN:"); ++t)
      EXPECT_GE(per_turn[t], 1) << where << " turn " << t;
    full_hp = std::max(full_hp, Int(stage.enemies.at(0), "hp:"));
    for (int o = 0; o < Int(d, "OBJECT_NUMBER:"); ++o) {
      const Keys& k = stage.objects.at(o);
      ExpectCovers(Value(k, "img:"), (k.count("animation:") ? 2 : 1) * Int(k, "size_x:"),
                   Int(k, "size_y:"), true);
      object_kinds.insert(k.count("on:") > 0);
    }
  }
  EXPECT_EQ(object_kinds.size(), 2u) << "solid and pass-over objects both appear";
  for (int s = game.first; s < game.end; ++s) ExpectGaugeOfWidth(game.Stage(s), full_hp);
}

TEST(ContentPack, ScriptsShowTheirPicturesOnScreenWithTheirOwnWaits) {
  for (const std::string& file : Game().Files(false)) {
    const Tagged script = ReadTagged(file);
    for (int n = 0; n < Int(script.directives, "MAX_SCENE:"); ++n) {
      const std::string where = file + " scene " + std::to_string(n);
      ASSERT_EQ(script.scenes.count(n), 1u) << where;
      const Keys& scene = script.scenes.at(n);
      EXPECT_EQ(scene.count("wait:"), 1u) << where << " must give its own wait";
      const pack::Size size = pack::PictureSize(Value(scene, "img:")).value_or(pack::Size{});
      int x = 0, y = 0, w = 640, h = 480;
      if (scene.count("xy:"))
        std::sscanf(Value(scene, "xy:").c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
      EXPECT_TRUE(w <= size.width && h <= size.height && x + w <= 640 && y + h <= 480) << where;
    }
  }
}

// The reader takes a line whole up to 253 bytes; a longer one would be cut in two.
TEST(ContentPack, DataLinesFitTheReader) {
  for (const std::string& file : Game().Files(true)) {
    const std::vector<uint8_t> bytes = pack::ReadBytes(pack::Resolve(file).value_or(""));
    ASSERT_FALSE(bytes.empty()) << file;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);)
      EXPECT_LE(line.size(), 253u) << file << ": " << line;
  }
}

}  // namespace
