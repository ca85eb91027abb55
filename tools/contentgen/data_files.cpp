#include "data_files.h"

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
      << "#MAX_STAGE:" << kFirstStage + static_cast<int>(Stages().size()) << "\n"
      << "#PLAYER_STOCK:3\n";
  out << "#SHOT_DAMAGE:" << shot.damage << "\n#SHOT_SPEED:" << shot.speed
      << "\n#SHOT_REACTION:" << shot.reaction << "\n#SHOT_SHADOW:" << shot.shadow << "\n";
  out << "#SOUND:\n";
  for (const std::string& role : kSoundRoles) out << role << ":" << name::Sound(role) << "\n";
  out << "#SHOT_IMG:" << name::kShot << "\n#SHOT_SIZE_X:" << kShotSize
      << "\n#SHOT_SIZE_Y:" << kShotSize << "\n#SHOT_SCORE:" << shot.score
      << "\n#SHOT_INTERVAL:" << shot.interval << "\n#SHOT_TIMER:" << shot.timer
      << "\n#INIT_STAGE:" << kFirstStage << "\n#RIVIVAL_TIME:1500\n#SPECIAL_TIME:2000\n"
      << "#CLEAR_BONUS:1000\n#TIME_BONUS:50\n#STOCK_IMG:" << name::kStock << "\n#BLINK_TIME:500\n";
  return out.str();
}

// Every key, so that nothing is left over from the same entry of an earlier stage.
void WriteCharacter(std::ostringstream& out, int entry, const CharacterKind& kind, float x, float y,
                    int turn, bool early) {
  out << "#ENEMY:" << entry << "\nimg:" << kind.img << "\nhp:" << kind.hp << "\nxy:" << Number(x)
      << "," << Number(y) << "\naxy:" << kind.accel << "," << kind.accel << "\nmax:" << kind.max
      << "\nattack:" << kind.hp / 4 << "\nhard:" << Number(kind.hard) << "\nsize_x:" << kind.size
      << "\nsize_y:" << kind.size << "\nai:" << kind.ai << "\nscore:" << kind.score
      << "\nbom_last_img:" << kind.explosion_frames << "\n";
  if (kind.animation) out << "animation:\n";
  out << "turn:" << turn << "\n";
  // Opened again, the entry is active now and keeps its turn; only its animation is reset.
  if (early) {
    out << "; on the field before its wave\n#ENEMY:" << entry << "\n";
    if (kind.animation) out << "animation:\n";
  }
}

void WriteObject(std::ostringstream& out, int entry, const ObjectPlacement& o) {
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
      << "#STAGE_NAME:" << stage.title_en << "\n#BG:" << name::Background(stage.number)
      << "\n#BGM:" << name::StageMusic(stage.number) << "\n#FONT:" << name::kHudFont
      << "\n#GAGE:" << name::kGauge << "\n#GAGE_BASE:" << name::kGaugeBase
      << "\n#STAGE_CLEAR:" << name::kStageClear << "\n#STAGE_HARD:" << Number(stage.wall_hard)
      << "\n#INIT_TIME:" << stage.time << "\n#MAX_TURN:" << stage.turns.size()
      << "\n#ENEMY_NUMBER:" << CharacterCount(stage) << "\n#OBJECT_NUMBER:" << stage.objects.size()
      << "\n#BLINK_TIME:" << stage.blink << "\n";
  WriteShot(out, stage.shot);
  out << "#SOUND:\ncrash_wall:" << name::Sound(stage.wall_sound) << "\n";
  out << "#SHOT_SIZE_X:" << kShotSize << "\n#SHOT_SIZE_Y:" << kShotSize << "\n";
  if (stage.clear_bonus) out << "#CLEAR_BONUS:" << *stage.clear_bonus << "\n";
  out << "; the player\n";
  WriteCharacter(out, 0, PlayerKind(), 304, 224, 0, false);
  int entry = 1;
  for (size_t turn = 0; turn < stage.turns.size(); ++turn) {
    out << "; wave " << turn + 1 << "\n";
    for (const Placement& p : stage.turns[turn])
      WriteCharacter(out, entry++, *p.kind, p.x, p.y, static_cast<int>(turn), p.early);
  }
  out << "; stage objects\n";
  for (size_t i = 0; i < stage.objects.size(); ++i)
    WriteObject(out, static_cast<int>(i), stage.objects[i]);
  return out.str();
}

// One scene of a script; the fade keys come before "img:" so the picture suits blending.
struct Scene {
  std::string img;
  int wait;
  std::string music;  // a file, "stop", or empty to leave it
  int fade_time = 0;  // 0: no fade
  bool save = false;
  std::string xy;
};

std::string Script(const std::string& comment, const std::vector<Scene>& scenes) {
  std::ostringstream out;
  out << "; " << comment << "\n#MAX_SCENE:" << scenes.size() << "\n";
  for (size_t i = 0; i < scenes.size(); ++i) {
    const Scene& s = scenes[i];
    out << "#SCENE:" << i << "\n";
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
  pack.Text(manifest::kOpening,
            Script("Opening", {{name::Opening(1), 5500, name::kPrologueMusic, 1500},
                               {name::kStoryPanel, 6000, "", 800, true, "40,356,560,104"},
                               {name::Opening(2), 6000, "", 1000},
                               {name::Opening(3), 6500, "", 1000}}));
  for (const Stage& stage : Stages()) {
    const std::string n = std::to_string(stage.number);
    pack.Text(manifest::StageIntro(stage.number),
              Script("Introduction to stage " + n,
                     {{name::IntroCard(stage.number), 2200, "stop", 600},
                      {name::IntroHint(stage.number), 4000, "", 400, true, "60,340,520,96"}}));
  }
  pack.Text(manifest::kEnding, Script("Ending", {{name::Ending(1), 6500, name::kEndingMusic, 2000},
                                                 {name::Ending(2), 6500, "", 1500},
                                                 {name::Ending(3), 9000, "", 1500}}));
  pack.Text(manifest::kGameOver,
            Script("Game over", {{name::kGameOver, 2500, name::kGameOverMusic, 1200},
                                 {name::kGameOverPanel, 5000, "", 600, true, "120,180,400,120"}}));
}

}  // namespace

void WriteDataFiles(const Pack& pack) {
  for (const Stage& stage : Stages())
    pack.Text(manifest::StageFile(stage.number), StageFile(stage));
  WriteScripts(pack);
  pack.Text(LowerFolder(manifest::kGameDat), GameDat());
}
