// Stage cards drawn from text: a stage file that gives "CARD_TITLE:" and
// "CARD_HINT:" lines has them written over its introduction in the game's font,
// so a changed name or hint needs no new picture. Packs without them keep their
// baked cards.
#pragma once

// Reads the card lines of stage's stage file; none when it has none.
void ReadStageCard(int stage);
// Writes the card over the frame being drawn; nothing without card lines.
void DrawStageCard();
void ResetStageCard();
