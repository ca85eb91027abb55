#include "data_files.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "content/manifest.h"
#include "names.h"
#include "stages.h"

namespace {

const std::vector<std::string> kSoundRoles = {"ok",         "cancel",    "select", "crash_wall",
                                              "crash_char", "crash_obj", "shot",   "shot_miss",
                                              "shot_hit",   "bomb"};

// The pack spells its data folder "data"; the game finds any letter case.
std::string LowerFolder(std::string name) {
  for (size_t i = 0; i < name.size() && name[i] != '\\'; ++i)
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  return name;
}

std::string Number(float v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

void WriteShot(std::ostringstream& out, const ShotSettings& shot) {
  out << "#SHOT_DAMAGE:" << shot.damage << "\n#SHOT_SPEED:" << shot.speed
      << "\n#SHOT_REACTION:" << shot.reaction << "\n#SHOT_SHADOW:" << shot.shadow
      << "\n#SHOT_SCORE:" << shot.score << "\n#SHOT_INTERVAL:" << shot.interval
      << "\n#SHOT_TIMER:" << shot.timer << "\n";
}

std::string GameDat() {
  const ShotSettings shot = DefaultShot();
  std::ostringstream out;
  out << "; Lantern Drift - game parameters\n"
      << "; the stages: MAX_STAGE is one past the last, INIT_STAGE the first; spare lives\n"
      << "#MAX_STAGE:" << kFirstStage + static_cast<int>(Stages().size()) << "\n"
      << "#PLAYER_STOCK:3\n";
  out << "; the shot, until a stage file changes it\n"
      << "#SHOT_DAMAGE:" << shot.damage << "\n#SHOT_SPEED:" << shot.speed
      << "\n#SHOT_REACTION:" << shot.reaction << "\n#SHOT_SHADOW:" << shot.shadow << "\n";
  out << "; the ten sound effects\n#SOUND:\n";
  for (const std::string& role : kSoundRoles) out << role << ":" << name::Sound(role) << "\n";
  out << "; the shot's picture and the rest of its rules\n"
      << "#SHOT_IMG:" << name::kShot << "\n#SHOT_SIZE_X:" << kShotSize
      << "\n#SHOT_SIZE_Y:" << kShotSize << "\n#SHOT_SCORE:" << shot.score
      << "\n#SHOT_INTERVAL:" << shot.interval << "\n#SHOT_TIMER:" << shot.timer
      << "\n; start, revival and protection (ms), bonuses, the spare-life icon, blinking (ms)\n"
      << "#INIT_STAGE:" << kFirstStage << "\n#RIVIVAL_TIME:1500\n#SPECIAL_TIME:2000\n"
      << "#CLEAR_BONUS:1000\n#TIME_BONUS:50\n#STOCK_IMG:" << name::kStock << "\n#BLINK_TIME:500\n";
  out << "; this game's own keys, which other readers of the format pass over:\n"
      << "; a life per stage cleared, three continues, the stages reached to choose from\n"
      << "#EXTEND_STAGE:1\n#CONTINUES:3\n#STAGE_SELECT:1\n"
      << "; after a hit: a second's grace and a blink; a shake when the player falls (ms)\n"
      << "#HIT_GRACE:1000\n#HIT_FLASH:1\n#DEFEAT_SHAKE:400\n"
      << "; a banner when time runs out (ms), early enemies dimmed, effects panned\n"
      << "#TIME_UP:2000\n#DIM_EARLY:1\n#PAN_EFFECTS:1\n";
  return out.str();
}

const char* Behaviour(int ai, bool one) {
  switch (ai) {
    case 0: return "steered by the keys";
    case 1: return one ? "chases the player" : "chase the player";
    case 2: return one ? "flees from the player" : "flee from the player";
    default: return one ? "drifts where it is struck" : "drift where they are struck";
  }
}

std::string Plural(const std::string& name) {
  if (name.back() == 'y') return name.substr(0, name.size() - 1) + "ies";
  return name + "s";
}

// "2 wisps chase the player, 1 moth flees from the player", kinds in order of first appearance.
std::string WaveSummary(const std::vector<Placement>& wave) {
  std::vector<std::pair<const CharacterKind*, int>> counts;
  for (const Placement& p : wave) {
    auto found = std::find_if(counts.begin(), counts.end(),
                              [&](const auto& c) { return c.first == p.kind; });
    if (found == counts.end())
      counts.push_back({p.kind, 1});
    else
      ++found->second;
  }
  std::string text;
  for (const auto& [kind, n] : counts) {
    if (!text.empty()) text += ", ";
    text += std::to_string(n) + " " + (n == 1 ? kind->name : Plural(kind->name)) +
            (kind->boss ? " (boss) " : " ") + Behaviour(kind->ai, n == 1);
  }
  return text;
}

// Every key, so that nothing is left over from the same entry of an earlier stage.
void WriteCharacter(std::ostringstream& out, int entry, const CharacterKind& kind, float x, float y,
                    int turn) {
  out << "; entry " << entry << ": " << kind.name << (kind.boss ? " (boss), " : ", ")
      << Behaviour(kind.ai, true) << "\n";
  out << "#ENEMY:" << entry << "\nimg:" << kind.img << "\nhp:" << kind.hp << "\nxy:" << Number(x)
      << "," << Number(y) << "\naxy:" << kind.accel << "," << kind.accel << "\nmax:" << kind.max
      << "\nattack:" << kind.hp / 4 << "\nhard:" << Number(kind.hard) << "\nsize_x:" << kind.size
      << "\nsize_y:" << kind.size << "\nai:" << kind.ai << "\nscore:" << kind.score
      << "\nbom_last_img:" << kind.explosion_frames << "\n";
  if (kind.animation) out << "animation:\n";
  if (kind.boss) out << "boss:1\n";
  out << "turn:" << turn << "\n";
}

void WriteObject(std::ostringstream& out, int entry, const ObjectPlacement& o) {
  out << "; object " << entry << ": " << o.kind->name
      << (o.kind->pass_over ? ", flat: characters pass over it" : ", solid") << "\n";
  out << "#OBJECT:" << entry << "\nimg:" << o.kind->img << "\nxy:" << o.x << "," << o.y
      << "\nhard:" << Number(o.kind->hard) << "\nsize_x:" << o.kind->size
      << "\nsize_y:" << o.kind->size << "\n";
  if (o.kind->animation) out << "animation:\n";
  if (o.kind->pass_over) out << "on:\n";
}

int CharacterCount(const Stage& stage) {
  int count = 1;
  for (const auto& turn : stage.turns) count += static_cast<int>(turn.size());
  return count;
}

std::string StageFile(const Stage& stage) {
  std::ostringstream out;
  out << "; Stage " << stage.number << ": " << stage.title_en << "\n"
      << "#STAGE_NAME:" << stage.title_en << "\n; floor, music and the heads-up pictures\n"
      << "#BG:" << name::Background(stage.number) << "\n#BGM:" << name::StageMusic(stage.number)
      << "\n#FONT:" << name::kHudFont << "\n#GAGE:" << name::kGauge
      << "\n#GAGE_BASE:" << name::kGaugeBase << "\n#STAGE_CLEAR:" << name::kStageClear
      << "\n; wall bounce, seconds, waves, characters with the player, objects, blinking (ms)\n"
      << "#STAGE_HARD:" << Number(stage.wall_hard) << "\n#INIT_TIME:" << stage.time
      << "\n#MAX_TURN:" << stage.turns.size() << "\n#ENEMY_NUMBER:" << CharacterCount(stage)
      << "\n#OBJECT_NUMBER:" << stage.objects.size() << "\n#BLINK_TIME:" << stage.blink << "\n";
  out << "; the shot in this stage (and after it, until a stage changes it)\n";
  WriteShot(out, stage.shot);
  out << "#SHOT_SIZE_X:" << kShotSize << "\n#SHOT_SIZE_Y:" << kShotSize << "\n";
  out << "; this stage's wall sound\n#SOUND:\ncrash_wall:" << name::Sound(stage.wall_sound) << "\n";
  if (stage.clear_bonus)
    out << "; a fixed bonus for the clear\n#CLEAR_BONUS:" << *stage.clear_bonus << "\n";
  WriteCharacter(out, 0, PlayerKind(), 304, 224, 0);
  int entry = 1;
  for (size_t turn = 0; turn < stage.turns.size(); ++turn) {
    out << ";\n; wave " << turn + 1 << " (turn " << turn << "): " << WaveSummary(stage.turns[turn])
        << "\n";
    for (const Placement& p : stage.turns[turn])
      WriteCharacter(out, entry++, *p.kind, p.x, p.y, static_cast<int>(turn));
  }
  out << ";\n; stage objects\n";
  for (size_t i = 0; i < stage.objects.size(); ++i)
    WriteObject(out, static_cast<int>(i), stage.objects[i]);
  return out.str();
}

// One scene of a script; the fade keys come before "img:" so the picture suits blending.
struct Scene {
  std::string img;
  std::string about;  // what the picture shows, for the file's comment
  int wait;
  std::string music;  // a file, "stop", or empty to leave it
  int fade_time = 0;  // 0: no fade
  bool save = false;
  std::string xy;
};

std::string Seconds(int ms) { return Number(static_cast<float>(ms) / 1000.0f) + " s"; }

// "; scene 1: the story told (img_save: over the last picture), 6 s, fading in over 0.8 s"
std::string SceneComment(size_t i, const Scene& s) {
  std::string text = "; scene " + std::to_string(i) + ": " + s.about;
  if (s.save) text += " (img_save: over the picture before)";
  text += ", " + Seconds(s.wait);
  if (s.fade_time > 0) text += ", fading in over " + Seconds(s.fade_time);
  if (s.music == "stop")
    text += "; the music stops";
  else if (!s.music.empty())
    text += "; its music starts";
  return text + "\n";
}

std::string Script(const std::string& comment, const std::vector<Scene>& scenes) {
  std::ostringstream out;
  out << "; " << comment << "\n#MAX_SCENE:" << scenes.size() << "\n";
  for (size_t i = 0; i < scenes.size(); ++i) {
    const Scene& s = scenes[i];
    out << SceneComment(i, s) << "#SCENE:" << i << "\n";
    if (s.music == "stop")
      out << "bgm_stop:\n";
    else if (!s.music.empty())
      out << "bgm:" << s.music << "\n";
    if (s.save) out << "img_save:\n";
    if (s.fade_time > 0)
      out << "fade_in:\nfade_time:" << s.fade_time << "\nfade_interval:" << s.fade_time / 50
          << "\n";
    out << "img:" << s.img << "\n";
    if (!s.xy.empty()) out << "xy:" << s.xy << "\n";
    out << "wait:" << s.wait << "\n";
  }
  return out.str();
}

void WriteScripts(const Pack& pack) {
  pack.Text(
      manifest::kOpening,
      Script("Opening",
             {{name::Opening(1), "the harbour full of lanterns", 5500, name::kPrologueMusic, 1500},
              {name::kStoryPanel, "the story, in a panel at the bottom", 6000, "", 800, true,
               "40,356,560,104"},
              {name::Opening(2), "dark water, the lanterns gone out", 6000, "", 1000},
              {name::Opening(3), "Lumi sets out", 6500, "", 1000}}));
  for (const Stage& stage : Stages()) {
    const std::string n = std::to_string(stage.number);
    pack.Text(manifest::StageIntro(stage.number),
              Script("Introduction to stage " + n + ": " + stage.title_en,
                     {{name::IntroCard(stage.number),
                       "the stage's card: its number, name and enemies", 2200, "stop", 600},
                      {name::IntroHint(stage.number), "the stage's hint, in a panel", 4000, "", 400,
                       true, "60,340,520,96"}}));
  }
  pack.Text(
      manifest::kEnding,
      Script("Ending", {{name::Ending(1), "the moon gate opens", 6500, name::kEndingMusic, 2000},
                        {name::Ending(2), "the lanterns come home at sunrise", 6500, "", 1500},
                        {name::Ending(3), "thank you for playing", 9000, "", 1500}}));
  pack.Text(manifest::kGameOver,
            Script("Game over", {{name::kGameOver, "the last lantern gone out", 2500,
                                  name::kGameOverMusic, 1200},
                                 {name::kGameOverPanel, "GAME OVER, in a panel", 5000, "", 600,
                                  true, "120,180,400,120"}}));
}

}  // namespace

void WriteDataFiles(const Pack& pack) {
  for (const Stage& stage : Stages())
    pack.Text(manifest::StageFile(stage.number), StageFile(stage));
  WriteScripts(pack);
  pack.Text(LowerFolder(manifest::kGameDat), GameDat());
}
