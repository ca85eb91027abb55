// The player's shot: launch with recoil, trail movement, leaving the field, hits.
#pragma once

void LaunchShot();
void MoveTrail();
void CheckShotLeaving();
void CheckShotHits();
// Ready again, the head moving: a new game or a new stage.
void ResetShot();
