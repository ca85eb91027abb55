#include "stages.h"

#include "names.h"

namespace {

// The player is soft paper (hard 0.3): ramming barely scratches an enemy, touches cost the
// player, so a game is won with the shot. Chasers speed up without limit towards the left
// and up, so their thrust stays gentle. The first stage's wisps touch the lightest of the game
// (a blow at top speed costs a still player trunc(hard x (max / 2) / 16) = 3 hit points, the
// least any enemy deals), and five come at once, so standing still still loses the stage.
const CharacterKind kSlowWisp{"slow wisp", name::kWisp, 1000, 120, 120, 1.0f, 32, 1, 200, 6, false};
const CharacterKind kWisp{"wisp", name::kWisp, 1000, 85, 100, 1.2f, 32, 1, 250, 6, false};
const CharacterKind kDancingWisp{
    "dancing wisp", name::kWisp, 1000, 95, 110, 1.2f, 32, 1, 300, 6, true};
const CharacterKind kEmber{"ember", name::kEmber, 900, 135, 150, 1.1f, 32, 1, 400, 6, true};
const CharacterKind kSpark{"spark", name::kSpark, 500, 170, 190, 0.8f, 24, 1, 300, 6, true};
// Faster than the player and small: it darts past a late shot and stings, so it is
// met by a player who aims where it is now, not where it was.
const CharacterKind kDartingSpark{
    "darting spark", name::kSpark, 500, 320, 320, 0.8f, 24, 1, 500, 6, true};
const CharacterKind kStillMoth{"still moth", name::kMoth, 500, 110, 130,  0.8f,
                               32,           2,           350, 6,   false};
const CharacterKind kMoth{"moth", name::kMoth, 250, 120, 140, 0.8f, 32, 2, 350, 6, true};
const CharacterKind kCrystal{"crystal", name::kCrystal, 2000, 55, 75, 1.7f, 32, 1, 600, 6, true};
const CharacterKind kJelly{"jelly", name::kJelly, 1500, 0, 200, 1.3f, 32, 3, 500, 6, true};
const CharacterKind kEclipse{"Eclipse", name::kEclipse, 6500, 70,    95,  1.6f, 48,
                             1,         5000,           5,    false, true};
const CharacterKind kMaelstrom{
    "Maelstrom", name::kMaelstrom, 7000, 80, 105, 1.6f, 48, 1, 8000, 5, false, true};
// The queen flees and must be cornered; the bell never steers, it only flies where it is struck.
const CharacterKind kQueen{"Moth Queen", name::kQueen, 5500, 130, 150, 1.0f, 48, 2, 9000, 5,
                           false,        true};
const CharacterKind kBell{"Great Bell", name::kBell, 6000,  0, 320,   1.2f,
                          48,           3,           12000, 5, false, true};

const ObjectKind kLily{"lily pad", name::kLily, 32, 1.0f, true, false};
const ObjectKind kFloatLantern{"floating lantern", name::kFloatLantern, 32, 1.0f, true, true};
const ObjectKind kStoneLantern{"stone lantern", name::kStoneLantern, 32, 1.0f, false, false};
const ObjectKind kPost{"mooring post", name::kPost, 32, 1.0f, false, false};
const ObjectKind kBrazier{"brazier", name::kBrazier, 32, 1.2f, false, true};
const ObjectKind kBollard{"snow bollard", name::kBollard, 32, 1.5f, false, false};
const ObjectKind kFrost{"frost mark", name::kFrost, 32, 1.0f, true, false};
const ObjectKind kMoonStone{"moon stone", name::kMoonStone, 32, 1.3f, false, true};
const ObjectKind kRune{"rune", name::kRune, 32, 1.0f, true, true};

Stage Harbour() {
  return {1,
          "Harbour of Lanterns",
          "灯籠の港",
          "Cold wisps chase you. Face them and fire with Space.",
          "冷たい鬼火が追ってくる。向きを変えてスペースで撃て。",
          150,
          0.45f,
          400,
          DefaultShot(),
          std::nullopt,
          {{{&kSlowWisp, 80, 80},
            {&kSlowWisp, 528, 80},
            {&kSlowWisp, 80, 384},
            {&kSlowWisp, 528, 384},
            {&kSlowWisp, 48, 224}},
           {{&kSlowWisp, 304, 400}, {&kSlowWisp, 304, 48}},
           {{&kSlowWisp, 48, 224}, {&kSlowWisp, 560, 224}, {&kSlowWisp, 304, 400}}},
          {{&kPost, 112, 224},
           {&kPost, 496, 224},
           {&kLily, 150, 120},
           {&kLily, 450, 330},
           {&kLily, 200, 340},
           {&kFloatLantern, 420, 110}}};
}

Stage Marsh() {
  return {2,
          "Reed Marsh",
          "葦の沼",
          "Moths flee from your light. Stone lanterns are solid.",
          "蛾は光から逃げる。石灯籠は硬い、ぶつかりに注意。",
          200,
          0.6f,
          400,
          DefaultShot(),
          std::nullopt,
          {{{&kWisp, 64, 64}, {&kWisp, 544, 384}, {&kStillMoth, 304, 120}},
           {{&kWisp, 64, 384}, {&kWisp, 544, 64}, {&kStillMoth, 120, 240}, {&kStillMoth, 480, 240}},
           {{&kWisp, 304, 48}, {&kWisp, 48, 224}, {&kWisp, 560, 224}, {&kStillMoth, 200, 360}},
           {{&kWisp, 48, 48}, {&kWisp, 560, 48}, {&kWisp, 48, 400}, {&kWisp, 560, 400}}},
          {{&kStoneLantern, 176, 144},
           {&kStoneLantern, 432, 144},
           {&kStoneLantern, 176, 304},
           {&kStoneLantern, 432, 304},
           {&kLily, 304, 96},
           {&kLily, 112, 224},
           {&kLily, 496, 224},
           {&kLily, 304, 392}}};
}

Stage Festival() {
  return {3,
          "Paper Festival",
          "紙灯籠の祭",
          "Your shot flies faster and longer here. Embers are quick!",
          "ここでは光弾が速く長い。火の粉は素早いぞ！",
          145,
          0.6f,
          250,
          {500, 540, 110, 14, 2, 20, 250},
          std::nullopt,
          {{{&kDancingWisp, 64, 64}, {&kDancingWisp, 544, 64}, {&kDancingWisp, 304, 400}},
           {{&kEmber, 48, 400}, {&kEmber, 560, 400}, {&kMoth, 220, 80}, {&kMoth, 388, 80}},
           {{&kDancingWisp, 48, 48},
            {&kDancingWisp, 560, 48},
            {&kEmber, 48, 400},
            {&kEmber, 560, 400},
            {&kMoth, 304, 110}},
           {{&kEmber, 304, 48},
            {&kEmber, 48, 224},
            {&kEmber, 560, 224},
            {&kMoth, 140, 360},
            {&kMoth, 470, 360}}},
          {{&kBrazier, 144, 112},
           {&kBrazier, 464, 112},
           {&kBrazier, 144, 320},
           {&kBrazier, 464, 320},
           {&kFloatLantern, 304, 140},
           {&kFloatLantern, 240, 300},
           {&kFloatLantern, 368, 300}}};
}

Stage Canal() {
  Stage canal{
      4,
      "Frozen Canal",
      "凍てつく運河",
      "Icy walls bounce hard. Crystals are tough; jellies drift.",
      "氷の壁はよく弾む。水晶は硬く、クラゲは漂うだけ。",
      160,
      0.7f,
      400,
      {660, 380, 140, 10, 2, 14, 400},
      30000,
      {{{&kCrystal, 64, 64}, {&kCrystal, 544, 384}, {&kEmber, 460, 130}, {&kEmber, 150, 400}},
       {{&kMoth, 150, 120}, {&kMoth, 460, 120}, {&kMoth, 304, 380}, {&kCrystal, 48, 400}},
       {{&kJelly, 150, 330},
        {&kJelly, 460, 330},
        {&kDancingWisp, 48, 48},
        {&kDancingWisp, 560, 48},
        {&kDancingWisp, 304, 410}},
       {{&kCrystal, 48, 48},
        {&kCrystal, 560, 48},
        {&kCrystal, 304, 410},
        {&kEmber, 48, 400},
        {&kEmber, 560, 400}}},
      {{&kBollard, 208, 176},
       {&kBollard, 400, 176},
       {&kBollard, 208, 272},
       {&kBollard, 400, 272},
       {&kFrost, 120, 100},
       {&kFrost, 488, 100},
       {&kFrost, 120, 340},
       {&kFrost, 488, 340}}};
  canal.wall_sound = "crash_ice";
  return canal;
}

Stage Tower() {
  return {5,
          "Moon Gate Tower",
          "月門の塔",
          "The Eclipse waits in the last wave. Light the way home!",
          "最後の波で月蝕が待つ。帰り道を照らせ！",
          150,
          0.7f,
          350,
          {500, 460, 130, 16, 2, 17, 300},
          std::nullopt,
          {{{&kDancingWisp, 64, 64},
            {&kDancingWisp, 544, 64},
            {&kDancingWisp, 304, 400},
            {&kEmber, 48, 400},
            {&kEmber, 560, 400}},
           {{&kCrystal, 64, 64},
            {&kCrystal, 544, 384},
            {&kMoth, 150, 240},
            {&kMoth, 460, 240},
            {&kMoth, 304, 120}},
           {{&kCrystal, 236, 200},
            {&kCrystal, 372, 260},
            {&kEmber, 48, 48},
            {&kEmber, 560, 48},
            {&kEmber, 304, 410}},
           {{&kEclipse, 296, 48}, {&kDancingWisp, 48, 400}, {&kDancingWisp, 560, 400}}},
          {{&kMoonStone, 160, 128},
           {&kMoonStone, 448, 128},
           {&kMoonStone, 160, 320},
           {&kMoonStone, 448, 320},
           {&kRune, 304, 96},
           {&kRune, 96, 224},
           {&kRune, 512, 224},
           {&kRune, 304, 360}}};
}

// Beyond the gate: moths flee behind drifting jellies pushed about like moving rocks, chasers
// herd the player into them, and the Maelstrom rises from the whirl in the last wave.
Stage Shrine() {
  return {6,
          "Shrine of the Tide",
          "潮の社",
          "Moths hide behind drifting jellies. The Maelstrom rises last!",
          "クラゲは岩のように漂い、蛾はその陰に隠れる。渦の主が待つ！",
          200,
          0.7f,
          300,
          {500, 500, 150, 14, 2, 19, 300},
          std::nullopt,
          {{{&kJelly, 200, 150},
            {&kJelly, 408, 300},
            {&kMoth, 120, 380},
            {&kMoth, 480, 80},
            {&kWisp, 304, 48}},
           {{&kJelly, 200, 300},
            {&kJelly, 408, 150},
            {&kEmber, 48, 48},
            {&kEmber, 560, 400},
            {&kMoth, 304, 400}},
           {{&kCrystal, 48, 224},
            {&kCrystal, 560, 224},
            {&kMoth, 150, 80},
            {&kMoth, 460, 380},
            {&kWisp, 304, 48}},
           {{&kMaelstrom, 296, 48},
            {&kJelly, 150, 300},
            {&kJelly, 460, 300},
            {&kMoth, 48, 400},
            {&kMoth, 560, 400}}},
          {{&kPost, 128, 224},
           {&kPost, 480, 224},
           {&kStoneLantern, 200, 96},
           {&kStoneLantern, 408, 352},
           {&kFloatLantern, 304, 96},
           {&kFloatLantern, 304, 352},
           {&kLily, 140, 140},
           {&kLily, 468, 310}}};
}

// Stalls in rows: three lanes with pockets between the stalls where moths hide, and
// chasers that come down the lanes.
Stage Market() {
  std::vector<ObjectPlacement> stalls;
  for (int x : {96, 160, 224, 384, 448, 512}) {
    stalls.push_back({&kStoneLantern, x, 160});
    stalls.push_back({&kStoneLantern, x, 288});
  }
  for (int x : {128, 480}) stalls.push_back({&kFloatLantern, x, 224});
  return {
      7,
      "Night Market Lanes",
      "夜市の小路",
      "Stalls make lanes. Moths hide in the pockets between them.",
      "屋台が小路をつくる。蛾は屋台の間のすき間に隠れる。",
      140,
      0.7f,
      350,
      {500, 460, 130, 14, 2, 17, 300},
      std::nullopt,
      {{{&kMoth, 192, 224}, {&kMoth, 416, 224}, {&kDancingWisp, 48, 64}, {&kDancingWisp, 560, 384}},
       {{&kMoth, 304, 100},
        {&kMoth, 304, 350},
        {&kEmber, 48, 224},
        {&kEmber, 560, 224},
        {&kDancingWisp, 304, 48}},
       {{&kCrystal, 48, 48},
        {&kCrystal, 560, 400},
        {&kMoth, 192, 100},
        {&kMoth, 416, 350},
        {&kEmber, 304, 410}},
       {{&kDartingSpark, 48, 48},
        {&kDartingSpark, 576, 48},
        {&kDancingWisp, 48, 400},
        {&kDancingWisp, 560, 400},
        {&kMoth, 304, 224}}},
      stalls};
}

// Light and heavy together: tiny quick sparks, slow heavy crystals, fleeing moths and
// wisps in between, each wave a different mix on a bridge of posts.
Stage Bridge() {
  return {8,
          "Willow Bridge",
          "柳の橋",
          "Sparks are small and quick, crystals slow and heavy. Mind both!",
          "火花は小さく素早い、水晶は遅く重い。両方に気をつけろ！",
          105,
          0.75f,
          300,
          {500, 600, 140, 12, 2, 22, 280},
          std::nullopt,
          {{{&kSpark, 48, 48}, {&kSpark, 576, 48}, {&kCrystal, 304, 410}, {&kMoth, 304, 120}},
           {{&kSpark, 48, 410},
            {&kSpark, 576, 410},
            {&kSpark, 304, 48},
            {&kCrystal, 48, 224},
            {&kMoth, 460, 240}},
           {{&kCrystal, 48, 48},
            {&kCrystal, 560, 400},
            {&kWisp, 560, 48},
            {&kWisp, 48, 400},
            {&kMoth, 304, 360}},
           {{&kSpark, 48, 224},
            {&kSpark, 576, 224},
            {&kEmber, 304, 48},
            {&kCrystal, 304, 410},
            {&kMoth, 150, 120}}},
          {{&kPost, 96, 128},
           {&kPost, 512, 128},
           {&kPost, 96, 320},
           {&kPost, 512, 320},
           {&kLily, 200, 224},
           {&kLily, 408, 224},
           {&kFloatLantern, 304, 224}}};
}

// Moths scatter among the moon stones between the chasers; last comes the Moth Queen, who
// flees and must be cornered. Every wave comes whole at its turn, so the stage gives the time
// that its waves take one after another.
Stage Terrace() {
  return {9,
          "Sky Lantern Terrace",
          "天灯の露台",
          "Moths scatter among the stones. The Moth Queen flees: corner her!",
          "蛾は石の間に散る。蛾の女王は逃げる、追いつめろ！",
          190,
          0.65f,
          300,
          {500, 600, 140, 12, 2, 22, 280},
          std::nullopt,
          {{{&kWisp, 64, 64}, {&kWisp, 544, 384}, {&kMoth, 304, 120}},
           {{&kEmber, 48, 400}, {&kWisp, 544, 64}, {&kMoth, 150, 360}, {&kMoth, 460, 120}},
           {{&kCrystal, 560, 48}, {&kEmber, 48, 48}, {&kEmber, 560, 400}, {&kMoth, 304, 380}},
           {{&kQueen, 296, 200}, {&kDancingWisp, 48, 48}, {&kSpark, 576, 410}, {&kSpark, 48, 410}}},
          {{&kMoonStone, 144, 144},
           {&kMoonStone, 464, 144},
           {&kMoonStone, 144, 304},
           {&kMoonStone, 464, 304},
           {&kRune, 304, 64},
           {&kRune, 304, 384},
           {&kFloatLantern, 224, 224},
           {&kFloatLantern, 384, 224}}};
}

// The finale: every kind the journey met, then the Great Bell, which never steers but flies
// wherever it is struck and keeps ringing off the walls.
Stage Belfry() {
  return {
      10,
      "Belfry of the Great Bell",
      "大鐘の鐘楼",
      "The last night. Strike the Great Bell: it flies where you hit it!",
      "最後の夜。大鐘を撃て、当てた方へ飛んでいくぞ！",
      100,
      0.7f,
      300,
      {500, 700, 150, 10, 2, 26, 280},
      std::nullopt,
      {{{&kDancingWisp, 64, 64}, {&kDancingWisp, 544, 384}, {&kEmber, 48, 400}, {&kMoth, 304, 120}},
       {{&kDartingSpark, 48, 48},
        {&kDartingSpark, 576, 48},
        {&kCrystal, 48, 400},
        {&kMoth, 460, 360}},
       {{&kEmber, 48, 224},
        {&kEmber, 560, 224},
        {&kCrystal, 304, 410},
        {&kDartingSpark, 150, 120},
        {&kDartingSpark, 460, 120}},
       {{&kBell, 296, 80},
        {&kDartingSpark, 48, 400},
        {&kDartingSpark, 576, 400},
        {&kEmber, 304, 410}}},
      {{&kStoneLantern, 128, 128},
       {&kStoneLantern, 480, 128},
       {&kFloatLantern, 128, 320},
       {&kFloatLantern, 480, 320},
       {&kBrazier, 304, 160},
       {&kRune, 304, 288},
       {&kLily, 208, 224},
       {&kLily, 400, 224}}};
}

}  // namespace

const CharacterKind& PlayerKind() {
  static const CharacterKind player{"the player", name::kLumi, 120, 260, 220, 0.3f,
                                    32,           0,           0,   6,   true};
  return player;
}

ShotSettings DefaultShot() { return {500, 440, 120, 12, 2, 16, 350}; }

const std::vector<Stage>& Stages() {
  static const std::vector<Stage> stages = {Harbour(), Marsh(),  Festival(), Canal(),   Tower(),
                                            Shrine(),  Market(), Bridge(),   Terrace(), Belfry()};
  return stages;
}
