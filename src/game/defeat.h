// Defeat and explosions, the player's revival and protection, and the turn check.
#pragma once

void DefeatAndExplode();
// Run when wait slot 1 has elapsed.
void RevivalStep();
// 0 game over, 1 play on, 2 stage cleared.
int TurnCheck();
