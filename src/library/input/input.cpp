#include "library/input/input.h"

#include "platform/platform.h"

void KeyState(int vk, int& state) {
  if (platform::Get().KeyDown(vk)) {
    state = state == 0 ? 1 : 3;
  } else {
    state = (state == 1 || state == 3) ? 2 : 0;
  }
}

int JoyButton(unsigned joystick, int button) {
  uint32_t mask = 0;
  if (button < 1 || button > 32) return 0;
  if (!platform::Get().JoystickButtons(joystick, mask)) return 0;
  return static_cast<int>((mask >> (button - 1)) & 1u);
}

void InitJoystick() { platform::Get().RescanJoysticks(); }
