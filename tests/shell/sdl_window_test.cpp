// The main window on the real SDL backend (SDL's dummy video driver): its
// minimum size and whether it asks to stay above the other windows.
#include <SDL.h>

#include <cstdlib>

#include "platform/sdl/sdl_platform.h"
#include "support/headless_test.h"

namespace {

using SdlWindowTest = HeadlessTest;

SDL_Window* TheWindow() {
  for (Uint32 id = 1; id < 100; ++id)
    if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
  return nullptr;
}

TEST_F(SdlWindowTest, NeverSmallerThanThePictureAndTopmostOnlyWhenAsked) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  for (const bool topmost : {false, true}) {
    platform::SdlPlatform sdl{1};
    ASSERT_TRUE(sdl.CreateMainWindow("t", false, topmost));
    SDL_Window* window = TheWindow();
    ASSERT_NE(window, nullptr);
    int w = 0, h = 0;
    SDL_GetWindowMinimumSize(window, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_ALWAYS_ON_TOP) != 0, topmost);
  }
}

}  // namespace
