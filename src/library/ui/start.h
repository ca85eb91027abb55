// The library's start: the display first, then each other part's own start.
#pragma once

// elDraw::Screen, then in this order: sound and its table, the music state,
// the wait slots, the font description block, the joystick. 1 on success; 0
// after the display's failure was reported, with nothing else started.
int StartLibrary(int width, int height, int mode);
