#pragma once

// SCENE_BOOT: reads "Data\game.dat", then moves on to the opening, or in an
// author's run to the stage asked for.
void SceneBoot();
