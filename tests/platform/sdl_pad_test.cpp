// The game controller on the real SDL backend: a virtual controller that SDL
// attaches like a plugged-in one, driven through the window procedure.
#include <SDL.h>

#include <cstdlib>

#include "game/game_state.h"
#include "platform/sdl/sdl_platform.h"
#include "scene/scene_state.h"
#include "shell/window_proc.h"
#include "support/headless_test.h"

namespace {

// A controller with every standard button and axis, numbered as SDL names them.
SDL_Joystick* Attach() {
  SDL_VirtualJoystickDesc desc{.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION,
                               .type = SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                               .naxes = SDL_CONTROLLER_AXIS_MAX,
                               .nbuttons = SDL_CONTROLLER_BUTTON_MAX,
                               .button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1,
                               .axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1,
                               .name = "test pad"};
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  return index < 0 ? nullptr : SDL_JoystickOpen(index);
}

// Delivers what the platform has to the window procedure. A virtual pad's
// changes become events when SDL pumps its queue, so an empty queue means
// every change has arrived: no time to wait for.
void Pump() {
  platform::Message m;
  while (platform::Get().PeekMessage(m)) WindowProc(m);
}
void Button(SDL_Joystick* pad, int button, bool down) {
  SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
  Pump();
}
void Axis(SDL_Joystick* pad, int axis, Sint16 value) {
  SDL_JoystickSetVirtualAxis(pad, axis, value);
  Pump();
}
// The arrow keys and Space as the game polls them, as a string of the held ones.
std::string Held() {
  std::string held;
  for (auto [vk, name] : {std::pair{platform::VK_UP, 'U'},
                          {platform::VK_DOWN, 'D'},
                          {platform::VK_LEFT, 'L'},
                          {platform::VK_RIGHT, 'R'},
                          {platform::VK_SPACE, 'F'}})
    if (platform::Get().KeyDown(vk)) held += name;
  return held;
}

using SdlPadTest = HeadlessTest;

TEST_F(SdlPadTest, SteersFiresConfirmsAndPausesOnUnplug) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  platform::SdlPlatform sdl{1};
  platform::Set(&sdl);
  g_state.scene = SCENE_GAME;
  g_state.game_in_progress = 1;
  g_state.play_running = 1;
  SDL_Joystick* pad = Attach();
  ASSERT_NE(pad, nullptr) << SDL_GetError();
  Pump();
  // D-pad and stick steer; the stick inside its dead zone does not.
  Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32000);
  EXPECT_EQ(Held(), "UL");
  Button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, false);
  Axis(pad, SDL_CONTROLLER_AXIS_LEFTX, 6000);
  Axis(pad, SDL_CONTROLLER_AXIS_LEFTY, 32000);
  EXPECT_EQ(Held(), "D");
  Axis(pad, SDL_CONTROLLER_AXIS_LEFTY, 0);
  for (auto [button, held] : {std::pair{SDL_CONTROLLER_BUTTON_DPAD_UP, "U"},
                              {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "D"},
                              {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "L"},
                              {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "R"}}) {
    Button(pad, button, true);
    EXPECT_EQ(Held(), held);
    Button(pad, button, false);
  }
  // A fires in play and leaves no confirmation behind for the stage-clear banner.
  Button(pad, SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Held(), "F");
  Button(pad, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(g_state.select, 0);
  // Start opens the in-game menu; the d-pad moves its cursor, A chooses and does not fire as well.
  Button(pad, SDL_CONTROLLER_BUTTON_START, true);
  EXPECT_EQ(g_state.play_running, 0);
  Button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  EXPECT_EQ(g_state.down, 1);
  Button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
  Button(pad, SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(g_state.select, 1);
  EXPECT_EQ(Held(), "");
  Button(pad, SDL_CONTROLLER_BUTTON_A, false);
  // Unplugged during play: the menu opens. Plugged in again mid-game: it steers.
  g_state.play_running = 1;
  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(0);
  Pump();
  EXPECT_EQ(g_state.play_running, 0);
  pad = Attach();
  ASSERT_NE(pad, nullptr) << SDL_GetError();
  Pump();
  Button(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(Held(), "R");
  SDL_JoystickClose(pad);
  platform::Set(&hp);
}

}  // namespace
