#include <string>

#include "character_art.h"
#include "names.h"
#include "pictures.h"

namespace {

constexpr int kSheetWidth = 256;
constexpr int kAlternateOffset = 128;  // where the game looks for the second frame set
constexpr int kExplosionFrames = 6;

// Row 0: the four facings, the animation frames 128 px further; row 1: the explosion.
// size: the frame edge, 0 for the look's own.
Image Sheet(Look look, int explosion_frames, int size = 0) {
  if (size == 0) size = LookSize(look);
  Image sheet(kSheetWidth, 2 * size);
  for (int facing = 0; facing < 4; ++facing) {
    sheet.PasteKeyed(CharacterFrame(look, facing, 0, size), 0, 0, size, size, facing * size, 0);
    if (4 * size <= kAlternateOffset) {
      sheet.PasteKeyed(CharacterFrame(look, facing, 1, size), 0, 0, size, size,
                       kAlternateOffset + facing * size, 0);
    }
  }
  for (int k = 0; k < explosion_frames; ++k)
    sheet.PasteKeyed(ExplosionFrame(look, k, explosion_frames, size), 0, 0, size, size, k * size,
                     size);
  sheet.CleanKeyedEdges();
  return sheet;
}

}  // namespace

void WriteCharacterSheets(const Pack& pack) {
  pack.Picture(name::kLumi, Sheet(Look::kLumi, kExplosionFrames));
  pack.Picture(name::kWisp, Sheet(Look::kWisp, kExplosionFrames));
  pack.Picture(name::kEmber, Sheet(Look::kEmber, kExplosionFrames));
  pack.Picture(name::kMoth, Sheet(Look::kMoth, kExplosionFrames));
  pack.Picture(name::kCrystal, Sheet(Look::kCrystal, kExplosionFrames));
  pack.Picture(name::kJelly, Sheet(Look::kJelly, kExplosionFrames));
  pack.Picture(name::kEclipse, Sheet(Look::kEclipse, 5));
  pack.Picture(name::kMaelstrom, Sheet(Look::kMaelstrom, 5));
  pack.Picture(name::kSpark, Sheet(Look::kEmber, kExplosionFrames, 24));
  pack.Picture(name::kQueen, Sheet(Look::kQueen, 5));
  pack.Picture(name::kBell, Sheet(Look::kBell, 5));
}

void WriteIcons(const Pack& pack) {
  pack.Picture(name::kIcon, CharacterFrame(Look::kLumi, 0, 1, 32));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    pack.Png("icons\\lantern-drift-" + std::to_string(size) + ".png",
             CharacterFrame(Look::kLumi, 0, 1, size),
             CharacterFrame(Look::kLumi, 0, 1, size, {255, 255, 255}));
  }
}
