#pragma once

// SCENE_BOOT: reads "Data\game.dat", then moves on to the opening.
void SceneBoot();
