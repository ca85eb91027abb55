// config.ini: the window mode and the frame-rate overlay, and the keys of our own.
#pragma once

#include <string>

#include "platform/sdl_platform_factory.h"

void ReadConfig(const std::string& file);
// MUSIC_VOLUME= and SOUND_VOLUME=, 0..100, 100 when absent; the reader above ignores them.
void ReadVolumes(const std::string& file, int& music, int& sound);
// PRESENT=surface or renderer: how pictures reach the window, when the machine's choice is not wanted.
platform::PresentPath ReadPresentPath(const std::string& file);
extern int g_config_full_screen;
