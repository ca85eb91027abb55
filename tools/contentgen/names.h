// The names under which the pack's files are written and named by the data files.
#pragma once

#include <string>

#include "content/manifest.h"

namespace name {

// Opened by the program itself.
inline const std::string kIcon = manifest::kIcon;
inline const std::string kTitle = manifest::kTitlePicture;
inline const std::string kCursor = manifest::kTitleCursor;
inline const std::string kMenu = manifest::kMenuPicture;
inline const std::string kMenuCursor = manifest::kMenuCursor;
inline const std::string kRankingFont = manifest::kRankingFont;
inline const std::string kRanking = manifest::kRankingPicture;
inline const std::string kHowTo = manifest::kHowToPicture;
inline const std::string kTitleMusic = manifest::kTitleMusic;

// Shared by every stage.
inline const std::string kShot = "img\\shot.bmp";
inline const std::string kStock = "img\\stock.bmp";
inline const std::string kHudFont = "img\\hud_font.bmp";
inline const std::string kGauge = "img\\gauge.bmp";
inline const std::string kGaugeBase = "img\\gauge_base.bmp";
inline const std::string kStageClear = "img\\stage_clear.bmp";

// Character sheets.
inline const std::string kLumi = "img\\chr_lumi.bmp";
inline const std::string kWisp = "img\\chr_wisp.bmp";
inline const std::string kEmber = "img\\chr_ember.bmp";
inline const std::string kMoth = "img\\chr_moth.bmp";
inline const std::string kCrystal = "img\\chr_crystal.bmp";
inline const std::string kJelly = "img\\chr_jelly.bmp";
inline const std::string kEclipse = "img\\chr_eclipse.bmp";
inline const std::string kMaelstrom = "img\\chr_maelstrom.bmp";
inline const std::string kSpark = "img\\chr_spark.bmp";
inline const std::string kQueen = "img\\chr_queen.bmp";
inline const std::string kBell = "img\\chr_bell.bmp";

// Stage objects.
inline const std::string kStoneLantern = "img\\obj_stone_lantern.bmp";
inline const std::string kPost = "img\\obj_post.bmp";
inline const std::string kBrazier = "img\\obj_brazier.bmp";
inline const std::string kBollard = "img\\obj_bollard.bmp";
inline const std::string kMoonStone = "img\\obj_moon_stone.bmp";
inline const std::string kLily = "img\\obj_lily.bmp";
inline const std::string kFloatLantern = "img\\obj_float_lantern.bmp";
inline const std::string kFrost = "img\\obj_frost.bmp";
inline const std::string kRune = "img\\obj_rune.bmp";

// Backgrounds, one per stage, and the stage introduction cards.
inline std::string Background(int stage) {
  return "img\\bg_stage" + std::to_string(stage) + ".bmp";
}
inline std::string IntroCard(int stage) { return "img\\intro" + std::to_string(stage) + ".bmp"; }
inline std::string IntroHint(int stage) { return "img\\hint" + std::to_string(stage) + ".bmp"; }
inline std::string StageMusic(int stage) { return "Music\\stage" + std::to_string(stage) + ".mid"; }

// Scene pictures and music.
inline std::string Opening(int n) { return "img\\opening" + std::to_string(n) + ".bmp"; }
inline std::string Ending(int n) { return "img\\ending" + std::to_string(n) + ".bmp"; }
inline const std::string kStoryPanel = "img\\story_panel.bmp";
inline const std::string kGameOver = "img\\game_over.bmp";
inline const std::string kGameOverPanel = "img\\game_over_text.bmp";
inline const std::string kPrologueMusic = "Music\\prologue.mid";
inline const std::string kEndingMusic = "Music\\ending.mid";
inline const std::string kGameOverMusic = "Music\\game_over.mid";

// Sound roles.
inline std::string Sound(const std::string& role) { return "sound\\" + role + ".wav"; }

}  // namespace name
