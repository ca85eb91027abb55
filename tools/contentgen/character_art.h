// Painted frames of the player and the enemies, shared by the sheets and the scene pictures.
#pragma once

#include "image.h"

enum class Look {
  kLumi,
  kWisp,
  kEmber,
  kMoth,
  kCrystal,
  kJelly,
  kEclipse,
  kMaelstrom,
  kQueen,
  kBell
};

// Frame edge in pixels: 32, or 48 for the four bosses.
int LookSize(Look look);
// facing 0 down, 1 right, 2 up, 3 left; phase 0 or 1 is the animation frame.
// pixels: the edge wanted, 0 for the frame size; larger pictures are painted finer, not scaled up.
// ground: what the frame is painted on; black is the key of the sheets.
Image CharacterFrame(Look look, int facing, int phase, int pixels = 0, Rgb ground = {});
// Frame `frame` of an explosion of `count` frames in the character's colours; pixels as above.
Image ExplosionFrame(Look look, int frame, int count, int pixels = 0);
