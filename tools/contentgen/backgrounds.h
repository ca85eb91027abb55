// The play-field pictures, also the backdrop of each stage's introduction card.
#pragma once

#include "image.h"

// Stage 1 to 10; the walls stand at x 32 and 608, y 32 and 448.
Image StageBackground(int stage);
