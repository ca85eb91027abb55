// Steering (keyboard, chase, flee), thrust, the position update and the speed limit.
#pragma once

void Steering();
void UpdatePositions();
void Thrust();
void LimitSpeed();
