// The real platform, for main: built without showing its callers SDL.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace platform {

// How pictures reach the window: chosen by the renderer SDL makes (the window
// surface where that renderer is a software one), or forced.
enum class PresentPath { kChoose, kSurface, kRenderer };

// "surface" or "renderer" in any case; anything else leaves the choice open.
inline PresentPath PresentPathNamed(std::string_view name) {
  auto is = [name](std::string_view word) {
    if (name.size() != word.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
      if ((name[i] | 0x20) != word[i]) return false;
    return true;
  };
  if (is("surface")) return PresentPath::kSurface;
  if (is("renderer")) return PresentPath::kRenderer;
  return PresentPath::kChoose;
}

// How the picture fills a window or screen larger than it: the largest whole
// multiple (sharp pixels, black bars), or that multiple stretched smoothly to fill it.
enum class ScaleMode { kWhole, kFit };

// scale: the window's size in multiples of 640x480. present: the choice of
// config.ini; LANTERN_DRIFT_PRESENT overrides it. None when there is no
// display to open (the reason is on standard error).
std::unique_ptr<Platform> MakeSdlPlatform(int scale, PresentPath present = PresentPath::kChoose,
                                          ScaleMode mode = ScaleMode::kWhole);

}  // namespace platform
