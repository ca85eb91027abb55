// The sound block of game.dat and of the stage files: ten keys, one per sound role.
#pragma once

class TaggedText;

// Loads the wave that the block line names into its sound role (mix 3). The
// object that the role held is released once no role refers to it any more.
void ReadSoundLine(TaggedText& text);
