// Key polling and the first joystick's buttons.
#pragma once

// state: 0 idle, 1 pressed since the last poll, 2 released since the last poll, 3 held.
void KeyState(int vk, int& state);
// 1 while the button (from 1) of the joystick is down.
int JoyButton(unsigned joystick, int button);
void InitJoystick();
