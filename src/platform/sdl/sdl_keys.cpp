#include "platform/sdl/sdl_keys.h"

namespace platform {

namespace {

struct KeyMap {
  SDL_Keycode key;
  SDL_Scancode scancode;
  int vk;
};

constexpr KeyMap kKeys[] = {
    {SDLK_RETURN, SDL_SCANCODE_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, SDL_SCANCODE_SPACE, VK_SPACE},
    {SDLK_LEFT, SDL_SCANCODE_LEFT, VK_LEFT},
    {SDLK_UP, SDL_SCANCODE_UP, VK_UP},
    {SDLK_RIGHT, SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDLK_DOWN, SDL_SCANCODE_DOWN, VK_DOWN},
    {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDLK_F5, SDL_SCANCODE_F5, VK_F5},
    {SDLK_F10, SDL_SCANCODE_F10, VK_F10},
    // The usual alternatives to the arrows.
    {SDLK_w, SDL_SCANCODE_W, VK_UP},
    {SDLK_a, SDL_SCANCODE_A, VK_LEFT},
    {SDLK_s, SDL_SCANCODE_S, VK_DOWN},
    {SDLK_d, SDL_SCANCODE_D, VK_RIGHT},
    {SDLK_KP_8, SDL_SCANCODE_KP_8, VK_UP},
    {SDLK_KP_4, SDL_SCANCODE_KP_4, VK_LEFT},
    {SDLK_KP_2, SDL_SCANCODE_KP_2, VK_DOWN},
    {SDLK_KP_6, SDL_SCANCODE_KP_6, VK_RIGHT},
    {SDLK_TAB, SDL_SCANCODE_TAB, VK_TAB},
};

// Game-controller buttons and the keys they stand for. A is the fire key in
// play and Enter elsewhere; the window procedure tells the two apart.
struct PadMap {
  SDL_GameControllerButton button;
  int vk;
};

constexpr PadMap kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, VK_RETURN},       {SDL_CONTROLLER_BUTTON_START, VK_ESCAPE},
    {SDL_CONTROLLER_BUTTON_B, VK_BACK},  // answers No in a box; nothing elsewhere
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_RIGHT},
};

// A stick inside this stays at rest: worn sticks never quite centre.
constexpr Sint16 kStickDeadZone = 10000;

int StickDirection(Sint16 value) {
  if (value < -kStickDeadZone) return -1;
  return value > kStickDeadZone ? 1 : 0;
}

}  // namespace

int VirtualKey(SDL_Keycode key) {
  for (const KeyMap& k : kKeys)
    if (k.key == key) return k.vk;
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  return 0;
}

bool KeyboardHeld(int vk) {
  const Uint8* state = SDL_GetKeyboardState(nullptr);
  for (const KeyMap& k : kKeys)
    if (k.vk == vk && state[k.scancode] != 0) return true;
  return vk >= 'A' && vk <= 'Z' && state[SDL_SCANCODE_A + (vk - 'A')] != 0;
}

void SdlPad::Open() {
  if (pad_ != nullptr) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    pad_ = SDL_GameControllerOpen(i);
    if (pad_ == nullptr) continue;
    pad_id_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
    confirm_spent_ = false;
    return;
  }
}

void SdlPad::Close() {
  if (pad_ != nullptr) SDL_GameControllerClose(pad_);
  pad_ = nullptr;
  stick_[0] = stick_[1] = 0;
}

bool SdlPad::Translate(const SDL_Event& event, Message& out) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(); return false;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (pad_ == nullptr || event.cdevice.which != pad_id_) return false;
      Close();
      Open();
      out = {MsgKind::kPadRemoved, 0, 0};
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
      if (event.cbutton.which != pad_id_) return false;
      if (event.cbutton.button == SDL_CONTROLLER_BUTTON_A) confirm_spent_ = false;
      for (const PadMap& p : kPadButtons) {
        if (p.button != event.cbutton.button) continue;
        out = {MsgKind::kPadButton, static_cast<uint32_t>(p.vk), 0};
        return true;
      }
      return false;
    case SDL_CONTROLLERAXISMOTION: {
      const int axis = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX   ? 0
                       : event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY ? 1
                                                                       : -1;
      if (event.caxis.which != pad_id_ || axis < 0) return false;
      const int was = stick_[axis];
      stick_[axis] = StickDirection(event.caxis.value);
      // Leaving the dead zone is one press, for the menus.
      if (stick_[axis] == 0 || stick_[axis] == was) return false;
      const int vk =
          axis == 0 ? (stick_[0] < 0 ? VK_LEFT : VK_RIGHT) : (stick_[1] < 0 ? VK_UP : VK_DOWN);
      out = {MsgKind::kPadButton, static_cast<uint32_t>(vk), 0};
      return true;
    }
    default: return false;
  }
}

bool SdlPad::Held(int vk) const {
  if (pad_ == nullptr) return false;
  if (vk == VK_SPACE)
    return !confirm_spent_ && SDL_GameControllerGetButton(pad_, SDL_CONTROLLER_BUTTON_A) != 0;
  for (const PadMap& p : kPadButtons)
    if (p.vk == vk && p.button != SDL_CONTROLLER_BUTTON_A &&
        p.button != SDL_CONTROLLER_BUTTON_START && SDL_GameControllerGetButton(pad_, p.button) != 0)
      return true;
  switch (vk) {
    case VK_LEFT: return stick_[0] < 0;
    case VK_RIGHT: return stick_[0] > 0;
    case VK_UP: return stick_[1] < 0;
    case VK_DOWN: return stick_[1] > 0;
    default: return false;
  }
}

}  // namespace platform
