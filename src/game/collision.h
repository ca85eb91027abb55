// Walls, character pairs and stage objects, then the shot's two checks.
#pragma once

void Collisions();
// Each character suffers the other's hardness; a and b are non-negative speeds.
void ImpactDamage(int i, int j, int a, int b);
