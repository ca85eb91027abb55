// The readers of game.dat and the scene scripts on bytes alone: what each line
// becomes, in file order, and which lines are refused or warned about.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "content/game_dat.h"
#include "content/scene_script.h"
#include "library/draw/el_draw.h"

namespace {

std::string FieldName(int GameParams::*field) {
  using P = GameParams;
  const std::pair<int P::*, const char*> names[] = {
      {&P::MAX_STAGE, "MAX_STAGE"}, {&P::SHOT_IMG, "SHOT_IMG"}, {&P::STOCK_IMG, "STOCK_IMG"}};
  for (const auto& [f, name] : names)
    if (f == field) return name;
  return "another field";
}

std::string RoleName(int SoundRoles::*role) {
  if (role == &SoundRoles::ok) return "ok";
  if (role == &SoundRoles::bomb) return "bomb";
  return "another role";
}

// Each line the reader kept, as "line: what".
std::vector<std::string> Kept(const GameDat& dat) {
  std::vector<std::string> kept;
  for (const GameDat::Line& l : dat.lines) {
    std::string what;
    if (const auto* v = std::get_if<ParamValue>(&l.effect))
      what = FieldName(v->field) + "=" + std::to_string(v->value);
    if (const auto* p = std::get_if<ParamPicture>(&l.effect))
      what = FieldName(p->field) + " picture " + p->name + " mode " + std::to_string(p->mode);
    if (const auto* s = std::get_if<SoundLine>(&l.effect))
      what = "sound " + RoleName(s->role) + " " + s->name;
    kept.push_back(std::to_string(l.line) + ": " + what);
  }
  return kept;
}

std::vector<int> Lines(const std::vector<ContentError>& errors) {
  std::vector<int> lines;
  for (const ContentError& e : errors) lines.push_back(e.line);
  return lines;
}

struct GameDatCase {
  const char* text;
  std::vector<std::string> kept;
  std::vector<int> refused;
};

TEST(ReadGameDatTest, TurnsEachLineIntoItsValue) {
  const std::string system = std::to_string(elDraw::kSystemMemory);
  const std::string ordinary = std::to_string(elDraw::kOrdinary);
  const GameDatCase cases[] = {
      {"#MAX_STAGE:5", {"1: MAX_STAGE=5"}, {}},
      {"#max_stage: 9 stages\r\n", {"1: MAX_STAGE=9"}, {}},
      {"MAX_STAGE:5\n#REVIVAL_TIME:3\n", {}, {}},
      {"#SHOT_IMG:img\\shot.bmp\n#STOCK_IMG:img\\s.bmp",
       {"1: SHOT_IMG picture IMG\\SHOT.BMP mode " + system,
        "2: STOCK_IMG picture IMG\\S.BMP mode " + ordinary},
       {}},
      {"#SOUND:\nok:se.wav\n#NO_SUCH_KEY:1\nbomb:b.wav\n",
       {"2: sound ok se.wav", "4: sound bomb b.wav"},
       {}},
      {"#MAX_STAGE:3\n#SHOT_SHADOW:65\n#MAX_STAGE:4\n", {"1: MAX_STAGE=3", "3: MAX_STAGE=4"}, {2}},
  };
  // game.dat's lines are read upper-cased and the scene scripts' lower-cased:
  // the file lookup ignores case.
  for (const GameDatCase& c : cases) {
    const GameDat dat = ReadGameDat(c.text, "game.dat");
    EXPECT_EQ(Kept(dat), c.kept) << c.text;
    EXPECT_EQ(Lines(dat.errors), c.refused) << c.text;
  }
}

// Each line the scene reader kept, as "line: what".
std::vector<std::string> Kept(const SceneFile& file) {
  std::vector<std::string> kept;
  for (const SceneFile::Line& l : file.lines) {
    std::string what;
    if (const auto* c = std::get_if<SceneCount>(&l.effect))
      what = "count " + std::to_string(c->count);
    if (const auto* o = std::get_if<OpenScene>(&l.effect))
      what = "scene " + std::to_string(o->scene);
    if (const auto* s = std::get_if<SceneLine>(&l.effect))
      what =
          "scene " + std::to_string(s->scene) + " key " + std::to_string(s->key) + " " + s->value;
    kept.push_back(std::to_string(l.line) + ": " + what);
  }
  return kept;
}

struct SceneCase {
  const char* text;
  std::vector<std::string> kept;
  std::vector<int> warned;
};

TEST(ReadSceneScriptTest, TurnsEachLineIntoItsValue) {
  // Keys by their place in the scene key table: 0 bgm, 1 img, 3 wait, 8 fade_interval.
  const SceneCase cases[] = {
      {"#MAX_SCENE:2\n#SCENE:0\nimg:img\\a.bmp\nwait:300\n#SCENE:1\nbgm:Music\\t.mid\n",
       {"1: count 2", "2: scene 0", "3: scene 0 key 1 img\\a.bmp", "4: scene 0 key 3 300",
        "5: scene 1", "6: scene 1 key 0 music\\t.mid"},
       {}},
      {"img:img\\a.bmp\n", {}, {1}},
      {"#MAX_SCENE:10\n", {"1: count 10"}, {}},
      {"#MAX_SCENE:11\n", {"1: count 10"}, {1}},
      {"#MAX_SCENE:-1\n", {"1: count 0"}, {1}},
      {"#SCENE:10\nimg:img\\a.bmp\n", {}, {1}},
      {"#SCENE:9\nfade_interval:0\n", {"1: scene 9", "2: scene 9 key 8 0"}, {2}},
  };
  for (const SceneCase& c : cases) {
    const SceneFile file = ReadSceneScript(c.text, "demo.dat");
    EXPECT_EQ(Kept(file), c.kept) << c.text;
    EXPECT_EQ(Lines(file.warnings), c.warned) << c.text;
    EXPECT_TRUE(file.errors.empty()) << c.text;
  }
}

}  // namespace
