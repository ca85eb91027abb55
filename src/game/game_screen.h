// The game screen: background, stage objects, characters, the shot and the
// heads-up display. The caller presents the frame.
#pragma once

void DrawGameScreen();
