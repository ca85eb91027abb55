// Every file the game loads by a name of its own, and the rule that names the
// stage files and their order. The scenes load by it, --check walks it and the
// content generator writes by it, so a new fixed file is added here alone.
// Header only: the generator includes it without linking the game.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace manifest {

// The data files, relative to the game folder.
inline constexpr const char* kGameDat = "Data\\game.dat";
inline constexpr const char* kOpening = "data\\demo_op.dat";
inline constexpr const char* kEnding = "data\\demo_end.dat";
inline constexpr const char* kGameOver = "data\\demo_go.dat";

// Pictures and music that the program names itself.
inline constexpr const char* kTitlePicture = "img\\title.bmp";
inline constexpr const char* kTitleCursor = "img\\cursor.bmp";
inline constexpr const char* kTitleMusic = "Music\\title.mid";
inline constexpr const char* kRankingPicture = "img\\ranking.bmp";
inline constexpr const char* kRankingFont = "img\\font.bmp";
inline constexpr const char* kHowToPicture = "img\\howto.bmp";
inline constexpr const char* kMenuPicture = "img\\menu.bmp";
inline constexpr const char* kMenuCursor = "img\\cursor2.bmp";
// The window icon: a missing one leaves the window without an icon, nothing more.
inline constexpr const char* kIcon = "img\\icon.bmp";

enum class Kind { kPicture, kMusic };

struct FixedFile {
  const char* name;
  Kind kind;
};

// What the title, its ranking and how-to screens and the game's menu load, in
// the order a game first loads them; the icon is left out: it may be absent.
inline constexpr FixedFile kScreenFiles[] = {
    {kTitlePicture, Kind::kPicture}, {kTitleCursor, Kind::kPicture},
    {kTitleMusic, Kind::kMusic},     {kRankingPicture, Kind::kPicture},
    {kRankingFont, Kind::kPicture},  {kHowToPicture, Kind::kPicture},
    {kMenuPicture, Kind::kPicture},  {kMenuCursor, Kind::kPicture},
};

// Stage n's file, "data\\data<n>.dat", and its introduction script.
inline constexpr const char* kStageFolder = "data";
inline constexpr const char* kStageStem = "data";
inline constexpr const char* kStageSuffix = ".dat";
inline std::string StageFile(long long n) {
  return std::string(kStageFolder) + "\\" + kStageStem + std::to_string(n) + kStageSuffix;
}
inline std::string StageIntro(long long n) { return "data\\demo" + std::to_string(n) + ".dat"; }

// The stage whose file a name in the stage folder is ("DATA12.dat": 12), in any
// letter case; -1 for any other name.
inline long long StageOfFileName(std::string_view name) {
  const std::string_view stem = kStageStem, suffix = kStageSuffix;
  if (name.size() <= stem.size() + suffix.size() || name.size() > stem.size() + suffix.size() + 9)
    return -1;
  const auto same = [](std::string_view a, std::string_view b) {
    for (size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
  };
  if (!same(name.substr(0, stem.size()), stem) ||
      !same(name.substr(name.size() - suffix.size()), suffix))
    return -1;
  const std::string_view digits =
      name.substr(stem.size(), name.size() - stem.size() - suffix.size());
  if (digits.size() > 1 && digits[0] == '0') return -1;  // the game writes no leading zero
  long long n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// A new game plays INIT_STAGE, then each next stage while its number is below
// MAX_STAGE; after the stage `played`, whether another follows.
inline bool StageFollows(long long played, long long max_stage) { return played + 1 < max_stage; }

}  // namespace manifest
