// The keyboard and the first game controller in the game's words: virtual-key
// codes, as messages and as keys held.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

namespace platform {

// The virtual-key code of an SDL key; 0 for a key the game does not know.
int VirtualKey(SDL_Keycode key);
// Whether the key, or one of its alternatives (W/A/S/D, the keypad), is down.
bool KeyboardHeld(int vk);

// The first game controller; its stick reads -1, 0 or 1 on each axis.
class SdlPad {
 public:
  // Opens the first game controller when none is open.
  void Open();
  void Close();
  // A controller event as a message; false when it gives none.
  bool Translate(const SDL_Event& event, Message& out);
  // The controller as the keys the game polls: d-pad and stick for the arrows, A for Space.
  bool Held(int vk) const;
  // The press of A confirmed something: it is not the fire key until let go.
  void SpendPress() { confirm_spent_ = true; }

 private:
  SDL_GameController* pad_ = nullptr;
  SDL_JoystickID pad_id_ = -1;
  int stick_[2] = {0, 0};
  bool confirm_spent_ = false;  // A confirmed something and is still down
};

}  // namespace platform
