// Painted frames of the player and the enemies, shared by the sheets and the scene pictures.
#pragma once

#include "image.h"

enum class Look { kLumi, kWisp, kEmber, kMoth, kCrystal, kJelly, kEclipse };

// Frame edge in pixels: 32, or 48 for the Eclipse.
int LookSize(Look look);
// facing 0 down, 1 right, 2 up, 3 left; phase 0 or 1 is the animation frame.
// pixels: the edge wanted; the frame size, or twice or four times it for the scene pictures.
Image CharacterFrame(Look look, int facing, int phase, int pixels = 0);
// Frame `frame` of an explosion of `count` frames in the character's colours.
Image ExplosionFrame(Look look, int frame, int count);
