#include "music.h"

#include "composer.h"
#include "names.h"

namespace {

// General MIDI programs used below.
constexpr int kHarp = 46, kStrings = 48, kSlowStrings = 49, kSynthStrings = 50, kWarmPad = 89;
constexpr int kFingerBass = 33, kPickBass = 34, kAcousticBass = 32, kSynthBass = 38;
constexpr int kKoto = 107, kShamisen = 106, kMarimba = 12, kVibraphone = 11, kMusicBox = 10;
constexpr int kFlute = 73, kShakuhachi = 77, kClarinet = 71, kOcarina = 79, kBrass = 61;
constexpr int kCelesta = 8, kPiccolo = 72;

void Write(const Pack& pack, const std::string& file, const Piece& piece) {
  pack.Music(file, Compose(piece), PieceLength(piece));
}

}  // namespace

void WriteMusic(const Pack& pack) {
  Write(pack, name::kTitleMusic,
        {92, 62, false, "D Bm G A D Bm Em A G A F#m Bm G A D D", kSlowStrings, kFingerBass, kHarp,
         kShakuhachi, BassStyle::kLong, 240, Drums::kSoft, 7});
  Write(pack, name::kPrologueMusic,
        {72, 57, true, "Am F C G Am F Dm E", kStrings, kAcousticBass, kKoto, kFlute,
         BassStyle::kLong, 240, Drums::kNone, 3});
  Write(pack, name::StageMusic(1),
        {108, 60, false, "C Am F G C Am Dm G F G Em Am F G C C", kWarmPad, kFingerBass, kMarimba,
         kFlute, BassStyle::kWalk, 240, Drums::kSoft, 11});
  Write(pack, name::StageMusic(2),
        {116, 64, true, "Em C D Bm Em C Am B C D Bm Em C D B B", kSynthStrings, kPickBass, kKoto,
         kShakuhachi, BassStyle::kPulse, 240, Drums::kDrive, 21});
  Write(pack, name::StageMusic(3),
        {138, 67, false, "G C D G Em C D G C D Bm Em C D G G", kStrings, kFingerBass, kShamisen,
         kPiccolo, BassStyle::kWalk, 120, Drums::kFestival, 5});
  Write(pack, name::StageMusic(4),
        {124, 62, true, "Dm Bb C Am Dm Bb Gm A Bb C Am Dm Bb C A A", kWarmPad, kPickBass,
         kVibraphone, kClarinet, BassStyle::kPulse, 120, Drums::kDrive, 17});
  Write(pack, name::StageMusic(5),
        {146, 60, true, "Cm Ab Bb G Cm Ab Fm G Ab Bb Gm Cm Ab Bb G G", kStrings, kSynthBass,
         kCelesta, kBrass, BassStyle::kPulse, 120, Drums::kIntense, 29});
  Write(pack, name::StageMusic(6),
        {132, 62, true, "Dm Gm A Dm Bb Gm A A Dm F C Bb Gm A Dm A", kSynthStrings, kFingerBass,
         kKoto, kShakuhachi, BassStyle::kPulse, 120, Drums::kDrive, 37});
  Write(pack, name::StageMusic(7),
        {126, 62, false, "A D E A F#m D E E A D E C#m D E A A", kStrings, kFingerBass, kShamisen,
         kFlute, BassStyle::kWalk, 120, Drums::kFestival, 41});
  Write(pack, name::StageMusic(8),
        {120, 60, true, "Am G F E Am G F E F G Em Am Dm E Am E", kWarmPad, kPickBass, kMarimba,
         kOcarina, BassStyle::kPulse, 120, Drums::kDrive, 43});
  Write(pack, name::StageMusic(9),
        {134, 64, true, "Bm G A F# Bm G Em F# G A F#m Bm G A F# F#", kSynthStrings, kSynthBass,
         kVibraphone, kShakuhachi, BassStyle::kPulse, 120, Drums::kIntense, 47});
  Write(pack, name::StageMusic(10),
        {152, 60, true, "Em C D B Em C Am B C D Bm Em C D B B", kStrings, kSynthBass, kKoto, kBrass,
         BassStyle::kPulse, 120, Drums::kIntense, 53});
  Write(pack, name::kEndingMusic,
        {80, 65, false, "F C Dm Bb F C Bb C Dm Bb F C Bb C F F", kSlowStrings, kAcousticBass, kHarp,
         kOcarina, BassStyle::kLong, 240, Drums::kSoft, 13});
  Write(pack, name::kGameOverMusic,
        {66, 57, true, "Am F Dm E", kWarmPad, kAcousticBass, -1, kMusicBox, BassStyle::kLong, 0,
         Drums::kNone, 2});
}
