// "SHOT_SHADOW:", given by game.dat and by the stage files.
#pragma once

class TaggedText;

// Stores the directive's value in SHOT_SHADOW; false, with a complaint, for a
// value outside 1..64 (the shot's trail has 64 segments).
bool ReadShotShadow(const TaggedText& text);
