// config.ini: the window mode and the frame-rate overlay, and the keys of our own.
#pragma once

#include <string>
#include <string_view>

#include "platform/sdl_platform_factory.h"

// What config.ini says, as the game takes it.
struct Config {
  int full_screen = 1;  // 0 when any FULL_SCREEN= line gives 0
  int fps = 0;          // 1 when any FPS= line gives other than 0
  // MUSIC_VOLUME= and SOUND_VOLUME=, 0..100, 100 when absent; the old reader ignored them.
  int music_volume = 100;
  int sound_volume = 100;
  // PRESENT=surface or renderer: how pictures reach the window, when the machine's choice is not
  // wanted.
  platform::PresentPath present = platform::PresentPath::kChoose;
  // TOPMOST=0: the window is one like any other. Without the key it stays above
  // the others, as the old program put it; the default text we write says 0.
  int topmost = 1;
  // SCALE=fit: the picture fills the screen, stretched smoothly past its whole multiple.
  platform::ScaleMode scale = platform::ScaleMode::kWhole;
};

// The settings in config.ini's bytes: a line starting with ';' is a comment,
// keys are matched in any letter case.
Config ReadConfig(std::string_view bytes);
// config.ini at file. A missing one is written with the default text and read
// as it says; one that cannot be read gives the defaults, with a message.
Config LoadConfig(const std::string& file);
