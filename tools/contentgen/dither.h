// Ordered dithering to the game's RGB565, so gradients do not band on screen.
#pragma once

#include "image.h"

// The colour the pixel at (x, y) is stored as: each channel a multiple of its RGB565 step, chosen
// by a 4 x 4 Bayer threshold between the level the game's truncation gives and the next, so an
// area averages the painted colour. Colours already on that grid stay as they are; a colour the
// game takes for the black key becomes black, and no other colour becomes the key.
Rgb Dither565(Rgb c, int x, int y);
// The whole picture dithered; for pictures whose colours nothing matches exactly (not the
// sheets, fonts and menus).
Image Dithered565(const Image& image);
